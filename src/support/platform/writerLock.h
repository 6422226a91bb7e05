// One writer of a library at a time, across processes and threads. The lock
// is the system's own (flock on POSIX, a named mutex on Windows), so it dies
// with the process that holds it: a killed writer leaves nothing behind to
// remove.
//
// On POSIX writers lock the library file itself. Since a writer replaces
// the file by a rename, a waiter that gets the lock checks that the name
// still leads to the file it locked, and otherwise locks the new one; a
// library that does not exist yet is guarded by a lock on its folder. On
// Windows, where an open file cannot be renamed over, the lock is a named
// mutex made from the library's full path (an abandoned one passes to the
// next waiter). Readers take no lock and are never held up.
#pragma once

#include <string>
#include <thread>

namespace platform {

class writerLock {
public:
    enum class outcome { locked, timedOut, unavailable };

    writerLock() = default;
    ~writerLock() { release(); }
    writerLock(const writerLock&) = delete;
    writerLock& operator=(const writerLock&) = delete;

    // Takes the lock on path, waiting up to seconds for another process to
    // release it; waiting is called (with context) once when it must wait.
    // A lock this thread already holds on the same path is shared, so a
    // writer may call another that locks too (both locks compress); another
    // thread of the process waits like another process. unavailable: the
    // system gave
    // no lock (a file that cannot be opened); the caller goes on without.
    outcome acquire(const std::string& path, double seconds, void (*waiting)(void*), void* context);
    void release();

private:
    enum class attempt { got, busy, again, failed };
    attempt tryOnce();

    std::string key;      // the absolute path, while held
    std::thread::id owner;  // the thread that took it (release may come from another)
    long long handle = -1;  // descriptor or HANDLE of what is locked
    bool nested = false;  // held already by an outer writer of this process
};

#ifndef _WIN32
// True when path leads to the very file open as fd: the same device and the
// same inode, not merely a file of the same device.
bool namesOpenFile(const std::string& path, int fd);
#endif

}  // namespace platform
