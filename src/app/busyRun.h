// While an engine operation runs inside a command: the window keeps
// answering (its messages are handled between parts, at most every 20 ms),
// the caption shows how far the operation has come, Esc asks it to stop
// before its next part, and every other command waits until it has ended.
#pragma once

#include <windows.h>

#include <csignal>
#include <string>

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

    // True while an operation runs: menu commands are ignored, and closing
    // the window asks the operation to stop instead.
    static bool active();
    static void requestStop();

private:
    static void progress(void* self, long long done, long long total);
    void pump();

    std::string what;
    HWND status;
    runControl runs;
    DWORD lastPump = 0;
    DWORD lastCaption = 0;
};
