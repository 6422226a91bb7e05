// What a front end may do while an operation runs: see how far it has come,
// and ask it to stop before its next component.
#pragma once

#include <atomic>
#include <csignal>
#include <string>

#include "engine/logSink.h"
#include "support/platform/writerLock.h"

// An operation that stopped because it was asked to returns this.
constexpr int cancelledResult = 2;
// A change refused because verify finds the library damaged returns this.
constexpr int damagedResult = 3;

struct runControl {
    // Nonzero asks the operation to stop before its next component; a signal
    // handler may set it (a lock-free atomic, so that the threads of an
    // operation read it safely too).
    std::atomic<int>* stop = nullptr;
    // Called after each component with how many are done and how many there
    // are (0 when the total is not known). Compress counts its list first
    // when this is set.
    void (*progress)(void* context, long long done, long long total) = nullptr;
    void* context = nullptr;

    // The tool's guards. The program's Expand, Compress and Both keep their
    // historical behaviour and leave them off.
    // Add, delete and both check the library as verify does first, and
    // change nothing when it has any finding.
    bool refuseDamage = false;
    // Compress and add refuse a line that a library reader could not read
    // back and an output that is one of the inputs; libraries and list files
    // are opened for reading only.
    bool strictInput = false;

    // How long a writer waits for another writer of the same library to
    // finish; waiting is called once when it starts to wait.
    double lockWaitSeconds = 30;
    void (*waiting)(void* context, const std::string& library) = nullptr;

    // Whether compress may read the part files ahead, and expand write them
    // behind, on a second thread (same bytes, same log). Compress then logs
    // from the calling thread and expand from the second one, which also
    // calls progress. Off unless asked for: a front end whose allocator
    // serves one thread, or whose progress must run on its own thread (the
    // program), leaves it off.
    bool secondThread = false;

    bool stopping() const { return stop && *stop; }
    void report(long long done, long long total) const {
        if (progress) progress(context, done, total);
    }
};


// Takes the writers' lock on the library at path, waiting as control says.
// False, with "PREFIX: fatal error: library is locked by another writer:
// PATH" logged, when the wait ran out. Without a lock from the system (the
// library cannot be opened) it goes on: the writer then fails on its own.
bool lockLibrary(platform::writerLock& lock, const std::string& path, const runControl& control,
                 const std::string& prefix, logSink& log);
