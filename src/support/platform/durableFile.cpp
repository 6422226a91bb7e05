#include "support/platform/durableFile.h"
#include "support/platform/platform.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

bool sameFile(const std::string& a, const std::string& b) {
    const std::optional<fileId> x = identifyFile(a);
    return x && identifyFile(b) == x;
}

#ifdef _WIN32

bool syncToDisk(std::FILE* stream) { return std::fflush(stream) == 0 && _commit(_fileno(stream)) == 0; }

bool syncFolder(const std::string&) { return true; }

bool replaceFile(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    noteSystemFailure();
    return false;
}

std::FILE* openNoFollow(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

namespace {

bool identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    return ok;
}

}  // namespace

std::optional<fileId> identifyFile(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!identify(path, info)) return std::nullopt;
    return fileId{info.dwVolumeSerialNumber,
                  (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::FILE* createNew(const std::string& path, const char* mode) {
    const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = _fdopen(fd, mode);
    if (!f) _close(fd);
    return f;
}

smallRead readSmallFile(const std::string&, std::size_t, std::string&) { return smallRead::notHere; }

insideCopy copyInside(std::FILE*, std::FILE*) { return insideCopy::notHere; }

#else

bool syncToDisk(std::FILE* stream) { return std::fflush(stream) == 0 && fsync(fileno(stream)) == 0; }

bool syncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

std::optional<fileId> identifyFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return fileId{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

namespace {

// Opens path for writing with flags on top of those every write here uses
// (never through a link), as a stream of mode.
std::FILE* openForWriting(const std::string& path, int flags, const char* mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | flags, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, mode);
    if (!f) close(fd);
    return f;
}

}  // namespace

std::FILE* openNoFollow(const std::string& path, const char* mode) { return openForWriting(path, O_TRUNC, mode); }

// "x" is O_EXCL (which follows no link either), "e" O_CLOEXEC: fopen then
// needs no fdopen, whose mode check costs a system call a file.
std::FILE* createNew(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), (std::string(mode) + "xe").c_str());
}

smallRead readSmallFile(const std::string& path, std::size_t limit, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return smallRead::cannotOpen;
    struct stat st {};
    smallRead result = smallRead::ok;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        result = smallRead::cannotOpen;
    } else if (!S_ISREG(st.st_mode) || static_cast<unsigned long long>(st.st_size) > limit) {
        result = smallRead::notHere;
    } else {
        // One byte more than the size asks for the end in the same call: a
        // regular file that gives less than asked has ended, so most files
        // take one read. One that grew meanwhile is read on to its end.
        bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t got = 0;
        ssize_t n;
        while ((n = ::read(fd, &bytes[got], bytes.size() - got)) > 0) {
            got += static_cast<std::size_t>(n);
            if (got < bytes.size()) break;
            bytes.resize(bytes.size() * 2);
        }
        bytes.resize(got);
        if (n < 0) result = smallRead::cannotOpen;
    }
    close(fd);
    return result;
}

#endif

#ifndef _WIN32

// The offsets are the streams' own: from's position, to's end. The streams'
// buffers are empty around the copy, and to is put at its new end after it.
insideCopy copyInside(std::FILE* from, std::FILE* to) {
    if (std::fflush(to) != 0) return insideCopy::failed;
    off_t at = ftello(from);
    if (at < 0 || std::fseek(to, 0, SEEK_END) != 0 || std::fflush(to) != 0) return insideCopy::notHere;
    const int in = fileno(from), out = fileno(to);
    bool any = false;
    for (;;) {
        const ssize_t n = copy_file_range(in, &at, out, nullptr, std::size_t{1} << 30, 0);
        if (n == 0) break;
        if (n < 0) {
            if (!any && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                return insideCopy::notHere;
            }
            return insideCopy::failed;
        }
        any = true;
    }
    return std::fseek(from, at, SEEK_SET) == 0 && std::fseek(to, 0, SEEK_END) == 0 ? insideCopy::copied
                                                                                   : insideCopy::failed;
}

#endif

}  // namespace platform
