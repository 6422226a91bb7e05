// What a front end may do while an operation runs: see how far it has come,
// and ask it to stop before its next component.
#pragma once

#include <csignal>

// An operation that stopped because it was asked to returns this.
constexpr int cancelledResult = 2;

struct runControl {
    // Nonzero asks the operation to stop before its next component; a signal
    // handler may set it.
    volatile std::sig_atomic_t* stop = nullptr;
    // Called after each component with how many are done and how many there
    // are (0 when the total is not known).
    void (*progress)(void* context, long long done, long long total) = nullptr;
    void* context = nullptr;

    bool stopping() const { return stop && *stop; }
    void report(long long done, long long total) const {
        if (progress) progress(context, done, total);
    }
};

// Whether compress and expand may use a second thread, reading the part
// files ahead and writing them behind (on at start). Compress then logs
// from the calling thread and expand from the second one, which also calls
// progress. A front end whose allocator serves one thread only, or whose
// progress callback must run on its own thread, turns it off.
void allowSecondThread(bool allowed);
bool secondThreadAllowed();
