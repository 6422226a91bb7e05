#include "app/busyRun.h"

#include "app/vekWnd.h"

namespace {

std::atomic<int> stopRequested = 0;
busyRun* running = nullptr;

constexpr DWORD pumpEvery = 20;     // ms
constexpr DWORD captionEvery = 100;  // ms: a caption costs a trip to the window manager

const char* const programTitle = "Library Expander/Compressor";

void setCaption(const std::string& text) {
    if (theVekWnd && theVekWnd->hWndGet()) SetWindowTextA(theVekWnd->hWndGet(), text.c_str());
}

}  // namespace

busyRun::busyRun(const char* w, HWND statusWindow) : what(w), status(statusWindow) {
    stopRequested = 0;
    running = this;
    runs.stop = &stopRequested;
    runs.progress = progress;
    runs.context = this;
}

busyRun::~busyRun() {
    running = nullptr;
    setCaption(programTitle);
    if (theVekWnd) theVekWnd->paintLog();
}

bool busyRun::active() { return running != nullptr; }

void busyRun::requestStop() { stopRequested = 1; }

void busyRun::progress(void* self, long long done, long long total) {
    auto* run = static_cast<busyRun*>(self);
    const DWORD now = GetTickCount();
    if (now - run->lastPump < pumpEvery) return;
    run->lastPump = now;
    run->show(done, total);
    run->pump();
}

void busyRun::show(long long done, long long total) {
    const DWORD now = GetTickCount();
    if (now - lastCaption < captionEvery) return;
    lastCaption = now;
    std::string shown = what + " " + std::to_string(done);
    if (total > 0) shown += " of " + std::to_string(total);
    setCaption(std::string(programTitle) + " - " + shown);
    if (status) SetWindowTextA(status, (shown + "...").c_str());
}

void busyRun::waitFor(const std::atomic<bool>& finished, handOverLog& said, logSink& log) {
    while (!finished) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, pumpEvery, QS_ALLINPUT);
        said.drainTo(log);
        show(doneElsewhere, totalElsewhere);
        pump();
    }
}

// Handles what has queued up. Esc stops the operation; a quit is kept for
// the main loop; accelerators are not translated, so no command starts.
void busyRun::pump() {
    if (theVekWnd) theVekWnd->paintSoon();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            stopRequested = 1;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
