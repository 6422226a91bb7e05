// What the tool shows while a long operation runs, and how it is stopped:
// a progress line on a terminal, a note while it waits for another writer,
// and Ctrl+C, SIGTERM or SIGHUP asking the operation to stop before its
// next part.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "engine/ops/runControl.h"

class cliProgress {
public:
    // Shows nothing unless shown is true (standard error is a terminal and
    // --no-progress was not given); what names the operation ("expand").
    cliProgress(std::FILE* stream, bool shown, std::string what);
    ~cliProgress();

    // The control to hand the engine: progress to this line, stop requests
    // from the signal handlers installed while this object lives.
    runControl& control() { return runs; }

    // The signal that stopped the operation (0: none).
    static int stopSignal();

    // Takes the progress line off the terminal so that another line can be
    // written there, and puts it back after.
    void suspend() { clear(); }
    void resume();

private:
    static void update(void* self, long long done, long long total);
    static void waitingFor(void* self, const std::string& library);
    void clear();

    std::FILE* stream;
    std::string what;
    runControl runs;
    std::chrono::steady_clock::time_point lastShown{};
    std::size_t width = 0;
    std::string shownLine;  // the last progress text drawn
};
