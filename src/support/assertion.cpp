#include "support/assertion.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "support/miscfuns.h"
#include "support/platform/platform.h"

namespace {

constexpr unsigned assertBoxStyle = 0x2124;  // Yes/No, question, No default, task-modal
constexpr int boxYes = 6;
constexpr int boxNo = 7;

yesNoBox currentBox = platform::messageBoxYesNo;

// Where DEBUGPRINT sends text: null for the debugger window.
std::FILE* openDebugStream(bool& isStdout, bool& toDebugger) {
    isStdout = toDebugger = false;
    const char* target = std::getenv("DEBUGPRINT");
    if (target && strCmpNoCase(target, "stdout") == 0) {
        isStdout = true;
        return stdout;
    }
    if (target && strCmpNoCase(target, "debugwindow") == 0) {
        toDebugger = true;
        return nullptr;
    }
    std::FILE* f = target ? std::fopen(target, "a") : nullptr;
    return f ? f : std::fopen("z80.dbg", "a");
}

}  // namespace

yesNoBox setYesNoBox(yesNoBox box) {
    yesNoBox previous = currentBox;
    currentBox = box ? box : platform::messageBoxYesNo;
    return previous;
}

int askYesNo(const char* caption, const char* text) {
    const int result = currentBox(caption, text, assertBoxStyle);
    if (result == boxYes) return answerYes;
    if (result == boxNo) return answerNo;
    return result;
}

void assertFail(const char* expr, const char* module, int line) {
    char message[1024];
    std::snprintf(message, sizeof message, "%s == 0: %s, line %d.  Continue?", expr, module, line);
    if (askYesNo("Assertion Failure", message) == answerYes) return;
    runtimeAssertFail(expr, module, line);
}

void exceptionFail(const char* what, const char* context, unsigned message) {
    char text[1024];
    std::snprintf(text, sizeof text, "Exception: %s in %s (message 0x%04X).  Continue?", what, context, message);
    if (askYesNo("Assertion Failure", text) == answerYes) return;
    runtimeAssertFail(what, context, static_cast<int>(message));
}

void runtimeAssertFail(const char* expr, const char* file, int line) {
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expr, file, line);
    std::fflush(stderr);
    std::_Exit(3);
}

void debugPrint(const char* format, ...) {
    bool isStdout = false;
    bool toDebugger = false;
    std::FILE* stream = openDebugStream(isStdout, toDebugger);
    va_list args;
    va_start(args, format);
    if (toDebugger) {
        char text[1024];
        std::vsnprintf(text, sizeof text, format, args);
        platform::debuggerOutput(text);
    } else if (stream) {
        std::vfprintf(stream, format, args);
        std::fflush(stream);
        if (!isStdout) std::fclose(stream);
    }
    va_end(args);
}
