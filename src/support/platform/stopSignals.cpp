#include "support/platform/stopSignals.h"

#ifdef _WIN32
#include <atomic>
#include <windows.h>
#endif

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only store to a lock-free atomic");

namespace platform {
namespace {

std::atomic<int>* target = nullptr;

#ifdef _WIN32

volatile LONG finished = 0;

BOOL WINAPI onConsoleEvent(DWORD event) {
    if (!target) return FALSE;
    switch (event) {
        case CTRL_C_EVENT: *target = 2; return TRUE;
        case CTRL_BREAK_EVENT: *target = 21; return TRUE;
        case CTRL_CLOSE_EVENT:
            *target = 1;
            // The process ends when this returns: give the operation the
            // time the system allows to stop and clean up.
            for (int i = 0; i < 90 && !finished; ++i) Sleep(50);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void catchStopSignals(std::atomic<int>* flag) {
    target = flag;
    finished = 0;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

void restoreStopSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    target = nullptr;
    finished = 1;
}

void ignoreFileSizeSignal() {}

#else

extern "C" void onStopSignal(int signal) {
    if (target) *target = signal;
}

constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

void catchStopSignals(std::atomic<int>* flag) {
    target = flag;
    for (int s : stopSignals) std::signal(s, onStopSignal);
}

void restoreStopSignals() {
    for (int s : stopSignals) std::signal(s, SIG_DFL);
    target = nullptr;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

#endif

}  // namespace platform
