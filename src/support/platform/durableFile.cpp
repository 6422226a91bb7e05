#include "support/platform/durableFile.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef _WIN32

bool syncToDisk(std::FILE* stream) { return std::fflush(stream) == 0 && _commit(_fileno(stream)) == 0; }

bool syncFolder(const std::string&) { return true; }

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::FILE* openNoFollow(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

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

std::FILE* openNoFollow(const std::string& path, const char* mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, mode);
    if (!f) close(fd);
    return f;
}

#endif

}  // namespace platform
