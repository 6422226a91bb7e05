#include "support/fileOps.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "support/platform/durableFile.h"
#include "support/platform/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace fileOps {
namespace {

bool writesTo(const char* mode) {
    return std::strpbrk(mode, "wa+") != nullptr;
}

bool hasWriteBits(const fs::file_status& st) {
    const auto any = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & any) != fs::perms::none;
}

bool accessAllowsWrite(const std::string& path) {
#ifdef _WIN32
    return _access(path.c_str(), 2) == 0;
#else
    return access(path.c_str(), W_OK) == 0;
#endif
}

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

int openExclusive(const std::string& path) {
#ifdef _WIN32
    return _open(path.c_str(), _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR, 0666);
#endif
}

std::FILE* streamOf(int fd) {
#ifdef _WIN32
    std::FILE* f = _fdopen(fd, "w+b");
    if (!f) _close(fd);
#else
    std::FILE* f = fdopen(fd, "w+b");
    if (!f) close(fd);
#endif
    return f;
}

fileObserver currentObserver = nullptr;

void observe(const char* event, const std::string& path) {
    if (currentObserver) currentObserver(event, path);
}

}  // namespace

std::FILE* open(const std::string& path, const char* mode) {
    std::error_code ec;
    const fs::path where = platform::fsPath(path);
    if (mode[0] == 'w' && fs::is_symlink(fs::symlink_status(where, ec))) {
        // A link here is replaced like any file, never written through.
        if (!fs::remove(where, ec)) return nullptr;
    }
    fs::file_status st = fs::status(where, ec);
    if (!ec && fs::is_directory(st)) {
        errno = EISDIR;
        return nullptr;
    }
    if (!ec && fs::exists(st) && writesTo(mode) && !hasWriteBits(st)) {
        errno = EACCES;
        return nullptr;
    }
    if (mode[0] == 'w') return platform::openNoFollow(path, mode);
    return writesTo(mode) ? std::fopen(path.c_str(), mode) : platform::openForReading(path, mode);
}

bool writable(const std::string& path) {
    std::error_code ec;
    const fs::path where = platform::fsPath(path);
    if (fs::is_symlink(fs::symlink_status(where, ec))) return true;
    fs::file_status st = fs::status(where, ec);
    if (ec || !fs::exists(st)) return false;
    return hasWriteBits(st) && accessAllowsWrite(path);
}

std::FILE* createNew(const std::string& path, const char* mode) { return platform::createNew(path, mode); }

int readWhole(const std::string& path, std::size_t limit, std::string& bytes) {
    switch (platform::readSmallFile(path, limit, bytes)) {
        case platform::smallRead::ok: return 1;
        case platform::smallRead::cannotOpen: return 0;
        default: return -1;
    }
}

bool isLink(const std::string& path) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(platform::fsPath(path), ec));
}

bool syncToDisk(std::FILE* stream, const std::string& name) {
    observe("sync", name);
    return platform::syncToDisk(stream);
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(platform::fsPath(path), ec));
}

bool isEmptyFile(const std::string& path) {
    std::error_code ec;
    const fs::path p = platform::fsPath(path);
    return fs::is_regular_file(p, ec) && fs::file_size(p, ec) == 0 && !ec;
}

std::string dirOf(const std::string& path) {
    fs::path parent = platform::fsPath(path).parent_path();
    return parent.empty() ? std::string(".") : platform::fsName(parent);
}

std::FILE* createTemp(const std::string& dir, const std::string& stem, std::string& nameOut) {
    static std::atomic<unsigned> counter{0};
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long tag = seed + counter++ * 7919ULL;
        const std::string file = stem + std::to_string(processId()) + "-" + std::to_string(tag % 1000000007ULL) + ".tmp";
        std::string name = platform::fsName(platform::fsPath(dir) / platform::fsPath(file));
        nameOut = name;
        int fd = openExclusive(name);
        if (fd >= 0) return streamOf(fd);
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

bool canCreate(const std::string& path) {
    if (path.empty()) return false;
    const int fd = openExclusive(path);
    if (fd < 0) return false;
#ifdef _WIN32
    _close(fd);
#else
    close(fd);
#endif
    std::remove(path.c_str());
    return true;
}

std::string systemTempDir() {
    std::error_code ec;
    fs::path dir = fs::temp_directory_path(ec);
    return ec ? std::string() : platform::fsName(dir);
}

bool replace(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::file_status st = fs::symlink_status(platform::fsPath(to), ec);
    if (!ec && fs::is_regular_file(st)) {
        fs::permissions(platform::fsPath(from), st.permissions(), fs::perm_options::replace, ec);
    }
    observe("rename", to);
    if (!platform::replaceFile(from, to)) return false;
    observe("syncdir", dirOf(to));
    platform::syncFolder(dirOf(to));
    return true;
}

fileObserver setFileObserver(fileObserver observer) {
    const fileObserver previous = currentObserver;
    currentObserver = observer;
    return previous;
}

bool sameFile(const std::string& a, const std::string& b) { return platform::sameFile(a, b); }

std::string systemReason(int code) { return code != 0 ? std::strerror(code) : "unknown error"; }

std::string lastReason() { return platform::lastFailureReason(); }

bool removeFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

}  // namespace fileOps
