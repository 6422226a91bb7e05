#include "support/platform/platform.h"

#ifdef _WIN32
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
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

namespace {

UINT consoleCodePage = 0;

void restoreConsoleCodePage() { SetConsoleOutputCP(consoleCodePage); }

}  // namespace

std::filesystem::path fsPath(const std::string& name) {
    if (name.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), &wide[0], n);
    return std::filesystem::path(wide);
}

std::string fsName(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string name(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &name[0], n, nullptr, nullptr);
    return name;
}

std::FILE* binaryStandardInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    return stdin;
}

void useUtf8Console() {
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage == 0 || consoleCodePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
    std::atexit(restoreConsoleCodePage);
}

namespace {

int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA: return EPIPE;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_NOT_SAME_DEVICE: return EXDEV;
        default: return EIO;
    }
}

// The last Win32 failure noted on this thread, and the errno it was given.
struct notedFailure {
    DWORD code = 0;
    int errnoValue = 0;
};
thread_local notedFailure noted;

// The system's message for a Win32 code, without its closing full stop and
// line end ("The process cannot access the file because it is being used
// by another process").
std::string messageFor(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text ? std::string(text, n) : "system error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

}  // namespace

void noteSystemFailure() {
    const DWORD code = GetLastError();
    noted = {code, errnoFor(code)};
    errno = noted.errnoValue;
}

std::string lastFailureReason() {
    const int e = errno;
    if (noted.code != 0 && (e == noted.errnoValue || e == 0)) return messageFor(noted.code);
    return e != 0 ? std::strerror(e) : "unknown error";
}

std::FILE* openForReading(const std::string& path, const char* mode) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // Said as fopen would say it where the C library has a word for it
        // ("No such file or directory"), else in the system's own words.
        const DWORD code = GetLastError();
        noted = {};
        if (errnoFor(code) == EIO) noteSystemFailure();
        else errno = errnoFor(code);
        return nullptr;
    }
    const bool binary = std::strchr(mode, 'b') != nullptr;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | (binary ? _O_BINARY : _O_TEXT));
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, mode);
    if (!f) _close(fd);
    return f;
}

int writeText(std::FILE* stream, const std::string& text) {
    errno = 0;
    if (std::fflush(stream) != 0) return errno != 0 ? errno : EIO;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    if (handle == INVALID_HANDLE_VALUE) {
        const bool ok = std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
        return ok ? 0 : (errno != 0 ? errno : EIO);
    }
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    std::size_t done = 0;
    while (done < crlf.size()) {
        DWORD wrote = 0;
        if (!WriteFile(handle, crlf.data() + done, static_cast<DWORD>(crlf.size() - done), &wrote, nullptr)) {
            return errnoFor(GetLastError());
        }
        if (wrote == 0) return EIO;
        done += wrote;
    }
    return 0;
}

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

void noteSystemFailure() {}

std::string lastFailureReason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

std::FILE* openForReading(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

int writeText(std::FILE* stream, const std::string& text) {
    errno = 0;
    const bool ok = std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
    return ok ? 0 : (errno != 0 ? errno : EIO);
}

std::filesystem::path fsPath(const std::string& name) { return name; }

std::string fsName(const std::filesystem::path& path) { return path.string(); }

void useUtf8Console() {}

std::FILE* binaryStandardInput() { return stdin; }

#endif

}  // namespace platform
