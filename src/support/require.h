// Two kinds of checks:
// - vekRequire: a precondition of an engine entry point. A caller that breaks
//   it is a programming error; the program prints the runtime's assertion
//   line and stops, in every build type.
// - vekCheck: a broken internal invariant. It goes to the check handler, which
//   the Windows program turns into its continue-or-end box; until one is
//   installed the default prints the message to standard error and goes on.
#pragma once

[[noreturn]] void requireFailed(const char* expr, const char* file, int line);

#define vekRequire(expr) \
    ((expr) ? static_cast<void>(0) : requireFailed(#expr, __FILE__, __LINE__))

using checkHandler = void (*)(const char* expr, const char* module, int line);

// Installs a handler and returns the previous one (null restores the default).
checkHandler setCheckHandler(checkHandler handler);
void checkFailed(const char* expr, const char* module, int line);

#define vekCheck(expr, module) \
    ((expr) ? static_cast<void>(0) : checkFailed(#expr, module, __LINE__))
