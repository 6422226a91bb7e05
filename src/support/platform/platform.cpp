#include "support/platform/platform.h"

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#else
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#endif

namespace platform {

#ifdef _WIN32

int messageBoxYesNo(const char* caption, const char* text, unsigned style) {
    MessageBeep(MB_ICONQUESTION);
    return MessageBoxA(nullptr, text, caption, style);
}

void debuggerOutput(const char* text) { OutputDebugStringA(text); }

int lastErrorCode() { return static_cast<int>(GetLastError()); }

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

#else

int messageBoxYesNo(const char* caption, const char* text, unsigned) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!isatty(STDIN_FILENO)) return 7;
    std::fprintf(stderr, "Continue? (y/n) ");
    std::fflush(stderr);
    int c = std::getchar();
    return (c == 'y' || c == 'Y') ? 6 : 7;
}

void debuggerOutput(const char* text) { std::fputs(text, stderr); }

int lastErrorCode() { return errno; }

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

#endif

}  // namespace platform
