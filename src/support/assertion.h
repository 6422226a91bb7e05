// Reporting broken invariants and leaving diagnostic text.
//
// vekCheck(expr, module): a broken internal invariant. The user sees the
// failed expression, the module and the line and chooses: Yes carries on
// after the check (the caller must leave its data sound), No ends the
// program through runtimeAssertFail. The checks stay in shipped builds.
//
// vekRequire(expr, module): a precondition whose breach is a programming
// error: the runtime's assertion line naming the module, then the end of the
// program (exit code 3).
#pragma once

constexpr int answerYes = 701;
constexpr int answerNo = 702;

// The Yes/No box: sounds the question beep and shows a task-modal box with no
// owner. 701 for Yes, 702 for No, else the box's own result.
int askYesNo(const char* caption, const char* text);

// Formats "%s == 0: %s, line %d.  Continue?" and asks; returns on Yes.
void assertFail(const char* expr, const char* module, int line);

// An exception stopped at a boundary it must not cross (a window procedure):
// "Exception: %s in %s (message 0x%04X).  Continue?" with the exception's
// text, where it was stopped and the message being handled; No ends the
// program as runtimeAssertFail does.
void exceptionFail(const char* what, const char* context, unsigned message);

// Writes "Assertion failed: %s, file %s, line %d\n" to standard error and
// ends the program with exit code 3.
[[noreturn]] void runtimeAssertFail(const char* expr, const char* file, int line);

// printf-style diagnostic text to where DEBUGPRINT sends it: "stdout", the
// debugger ("debugwindow"), a file of that name, or "z80.dbg" (appended).
void debugPrint(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The box behind askYesNo, replaceable so that tests can answer it. It gets
// the caption, the text and the style and returns the platform's result
// (6 for Yes, 7 for No, as MessageBoxA does).
using yesNoBox = int (*)(const char* caption, const char* text, unsigned style);
yesNoBox setYesNoBox(yesNoBox box);  // null restores the platform's box

#define vekCheck(expr, module) \
    ((expr) ? static_cast<void>(0) : assertFail(#expr, module, __LINE__))

#define vekRequire(expr, module) \
    ((expr) ? static_cast<void>(0) : runtimeAssertFail(#expr, module, __LINE__))
