// The Library window's Find in text: the parts whose text holds a string,
// found by grep's engine (a fixed string, either letter case) on a thread of
// its own, so the window keeps answering. The thread touches no window: it
// posts progressMessage (wParam: parts searched) now and then, and
// doneMessage at the end, to the window that started it.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "engine/format/libKind.h"

class textSearch {
public:
    static constexpr UINT progressMessage = WM_APP + 20;
    static constexpr UINT doneMessage = WM_APP + 21;

    textSearch() = default;
    ~textSearch() { stop(); }
    textSearch(const textSearch&) = delete;
    textSearch& operator=(const textSearch&) = delete;

    void start(HWND window, const libKind& kind, const std::string& library, const std::string& text);
    // Asks the search to end and waits for it; nothing is found then.
    void stop();
    bool running() const { return worker.joinable(); }

    // After doneMessage: waits for the thread, and gives the names of the
    // parts found; failed tells when the library could not be read whole.
    std::set<std::string> finish();
    bool failed() const { return readFailed; }

private:
    void run(HWND window, const libKind& kind, std::string library, std::string text);

    std::thread worker;
    std::atomic<int> stopAsked{0};
    std::mutex guard;
    std::set<std::string> names;
    bool readFailed = false;
};
