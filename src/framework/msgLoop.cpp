#include "framework/msgLoop.h"

#include <new>

#include "framework/app.h"
#include "framework/toolbar.h"
#include "framework/wnd.h"

msgLoop* theMsgLoop = nullptr;
int msgLoopCount = 0;

msgLoop::msgLoop() : capacity(10) {
    if (++msgLoopCount > 1) errorBox(2, 0, nullptr);
    msg = new (std::nothrow) MSG();
    if (!msg) errorBox(1, 0, nullptr);
    modeless = new HWND[static_cast<std::size_t>(capacity)]();
}

msgLoop::~msgLoop() {
    delete msg;
    --msgLoopCount;
    delete[] modeless;
}

void msgLoop::addModeless(HWND hWnd) {
    for (int i = 0; i < capacity; ++i) {
        if (!modeless[i]) {
            modeless[i] = hWnd;
            return;
        }
    }
}

void msgLoop::removeModeless(HWND hWnd) {
    for (int i = 0; i < capacity; ++i) {
        if (modeless[i] == hWnd) {
            modeless[i] = nullptr;
            return;
        }
    }
}

bool msgLoop::filter(int accelMode, wnd* mainWnd) {
    for (int i = 0; i < capacity && modeless[i]; ++i) {
        if (IsDialogMessageA(modeless[i], msg)) return false;
    }
    const UINT m = msg->message;
    if ((m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR) && isToolbarWindow(msg->hwnd)) return true;
    if (accelMode == 1 && mainWnd) {
        return TranslateAcceleratorA(mainWnd->hWndGet(), mainWnd->hAccel, msg) == 0;
    }
    return true;
}

void msgLoop::run(wnd* mainWnd, int accelMode) {
    if (!msg) return;
    while (GetMessageA(msg, nullptr, 0, 0) != 0) {
        if (filter(accelMode, mainWnd)) {
            TranslateMessage(msg);
            DispatchMessageA(msg);
        }
    }
}
