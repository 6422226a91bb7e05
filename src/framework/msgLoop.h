// The message loop with its table of modeless dialogs.
#pragma once

#include <windows.h>

#include <cstdint>

class wnd;

class msgLoop {
public:
    msgLoop();
    ~msgLoop();
    msgLoop(const msgLoop&) = delete;
    msgLoop& operator=(const msgLoop&) = delete;

    // Runs until WM_QUIT; accelMode 1 translates mainWnd's accelerators.
    void run(wnd* mainWnd, int accelMode);
    WPARAM exitCode() const { return msg ? msg->wParam : 0; }

    void addModeless(HWND hWnd);
    void removeModeless(HWND hWnd);

    // Offers msg to the modeless dialogs, the toolbar keys and the
    // accelerators; true when it is still to be translated and dispatched.
    bool filter(int accelMode, wnd* mainWnd);

    MSG* msg = nullptr;
    HWND* modeless = nullptr;
    std::int32_t capacity = 0;
};

extern msgLoop* theMsgLoop;
extern int msgLoopCount;
