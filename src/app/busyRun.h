// While an engine operation runs inside a command: the window keeps
// answering (its messages are handled between parts, at most every 20 ms),
// the caption shows how far the operation has come, Esc asks it to stop
// before its next part, and every other command waits until it has ended.
#pragma once

#include <windows.h>

#include <atomic>
#include <csignal>
#include <string>
#include <thread>

#include "app/handOverLog.h"
#include "engine/ops/runControl.h"

class busyRun {
public:
    // what names the operation in the caption ("Expand"); the progress also
    // shows as the text of status when one is given.
    explicit busyRun(const char* what, HWND status = nullptr);
    ~busyRun();
    busyRun(const busyRun&) = delete;
    busyRun& operator=(const busyRun&) = delete;

    const runControl& control() const { return runs; }

    // Runs work on a thread of its own, which may log and report progress
    // from any thread it starts, while this thread handles the window's
    // messages (Esc stops the work as before) and shows work's log lines in
    // log, in the order they were made.
    template <typename Work>
    void runElsewhere(Work work, logSink& log);

    // True while an operation runs: menu commands are ignored, and closing
    // the window asks the operation to stop instead.
    static bool active();
    static void requestStop();

private:
    static void progress(void* self, long long done, long long total);
    void show(long long done, long long total);
    void pump();
    // Waits for a message or every pumpEvery ms until finished, draining
    // said into log and showing progress meanwhile.
    void waitFor(const std::atomic<bool>& finished, handOverLog& said, logSink& log);

    // Progress made on another thread, for this one to show.
    std::atomic<long long> doneElsewhere{0}, totalElsewhere{0};

    std::string what;
    HWND status;
    runControl runs;
    DWORD lastPump = 0;
    DWORD lastCaption = 0;
};

template <typename Work>
void busyRun::runElsewhere(Work work, logSink& log) {
    handOverLog said;
    runControl elsewhere = runs;
    elsewhere.context = this;
    elsewhere.progress = [](void* self, long long done, long long total) {
        auto* run = static_cast<busyRun*>(self);
        run->totalElsewhere = total;
        run->doneElsewhere = done;
    };
    std::atomic<bool> finished{false};
    const DWORD thread = GetCurrentThreadId();
    std::thread worker([&] {
        work(said, elsewhere);
        finished = true;
        PostThreadMessageA(thread, WM_NULL, 0, 0);  // ends the wait at once
    });
    waitFor(finished, said, log);
    worker.join();
    said.drainTo(log);
}
