#include "support/platform/writerLock.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "support/platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace platform {
namespace {

// The keys held, with the thread that holds each: nesting is per thread.
std::mutex heldGuard;
std::multiset<std::pair<std::thread::id, std::string>> held;

std::string keyFor(const std::string& path) {
    std::error_code ec;
    const fs::path full = fs::absolute(platform::fsPath(path), ec);
    std::string key = ec ? path : platform::fsName(full.lexically_normal());
#ifdef _WIN32
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
#endif
    return key;
}

constexpr auto retryEvery = std::chrono::milliseconds(20);

}  // namespace

#ifdef _WIN32

writerLock::attempt writerLock::tryOnce() {
    unsigned long long hash = 14695981039346656037ULL;
    for (char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    const std::string name = "vek-writer-" + std::to_string(hash);
    HANDLE m = CreateMutexA(nullptr, FALSE, ("Global\\" + name).c_str());
    if (!m) m = CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    if (!m) return attempt::failed;
    const DWORD got = WaitForSingleObject(m, 0);
    if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED) {
        CloseHandle(m);
        return got == WAIT_TIMEOUT ? attempt::busy : attempt::failed;
    }
    handle = reinterpret_cast<long long>(m);
    return attempt::got;
}

void writerLock::release() {
    if (key.empty()) return;
    {
        std::lock_guard<std::mutex> guard(heldGuard);
        held.erase(held.find({owner, key}));
    }
    if (!nested && handle != -1) {
        HANDLE m = reinterpret_cast<HANDLE>(handle);
        ReleaseMutex(m);
        CloseHandle(m);
    }
    handle = -1;
    nested = false;
    key.clear();
}

#else

bool namesOpenFile(const std::string& path, int fd) {
    struct stat named {}, open {};
    return stat(path.c_str(), &named) == 0 && fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

writerLock::attempt writerLock::tryOnce() {
    int fd = ::open(key.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const bool folder = fd < 0;
    if (folder) {
        if (errno != ENOENT) return attempt::failed;
        fd = ::open(fs::path(key).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return attempt::failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? attempt::busy : attempt::failed;
    }
    // The name must still lead to what was locked: a writer that held it
    // may have put a new file in its place, or made the missing one.
    struct stat now {};
    const bool same = folder ? stat(key.c_str(), &now) != 0 : namesOpenFile(key, fd);
    if (!same) {
        close(fd);
        return attempt::again;
    }
    handle = fd;
    return attempt::got;
}

void writerLock::release() {
    if (key.empty()) return;
    {
        std::lock_guard<std::mutex> guard(heldGuard);
        held.erase(held.find({owner, key}));
    }
    if (!nested && handle != -1) close(static_cast<int>(handle));
    handle = -1;
    nested = false;
    key.clear();
}

#endif

writerLock::outcome writerLock::acquire(const std::string& path, double seconds, void (*waiting)(void*),
                                        void* context) {
    release();
    key = keyFor(path);
    owner = std::this_thread::get_id();
    {
        std::lock_guard<std::mutex> guard(heldGuard);
        if (held.count({owner, key}) != 0) {
            held.insert({owner, key});
            nested = true;
            return outcome::locked;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool told = false;
    for (;;) {
        const attempt a = tryOnce();
        if (a == attempt::got) break;
        if (a == attempt::again) continue;
        if (a == attempt::failed || std::chrono::steady_clock::now() >= deadline) {
            key.clear();
            return a == attempt::failed ? outcome::unavailable : outcome::timedOut;
        }
        if (!told && waiting) waiting(context);
        told = true;
        std::this_thread::sleep_for(retryEvery);
    }
    std::lock_guard<std::mutex> guard(heldGuard);
    held.insert({owner, key});
    return outcome::locked;
}

}  // namespace platform
