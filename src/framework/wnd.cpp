#include "framework/wnd.h"

#include "framework/app.h"
#include "framework/ctl3d.h"
#include "framework/toolbar.h"
#include "support/ipcMsg.h"
#include "support/miscfuns.h"

int leftUp = 1;
int rightUp = 1;

wnd::wnd(std::int32_t, std::int32_t) {}

wnd::~wnd() { delete[] title; }

void wnd::onLButtonDown(unsigned, unsigned, WPARAM) {}
void wnd::onRButtonDown(unsigned, unsigned, WPARAM) {}
void wnd::onLButtonUp(unsigned, unsigned, WPARAM) {}
void wnd::onRButtonUp(unsigned, unsigned, WPARAM) {}
void wnd::onMouseMove(unsigned, unsigned, WPARAM) {}
void wnd::onLButtonDouble(unsigned, unsigned, WPARAM) {}
void wnd::onRButtonDouble(unsigned, unsigned, WPARAM) {}
void wnd::onKeyDown(WPARAM, LPARAM) {}
void wnd::onKeyUp(WPARAM, LPARAM) {}

void wnd::onPaint() {
    PAINTSTRUCT ps;
    BeginPaint(hWnd, &ps);
    EndPaint(hWnd, &ps);
}

LRESULT wnd::onTimer(WPARAM) { return -1; }
void wnd::onCommand(int, int) {}
void wnd::reserved13(std::int32_t, std::int32_t, std::int32_t) {}
void wnd::onSysClose(WPARAM) {}
void wnd::onHScroll(int, int) {}
void wnd::onVScroll(int, int) {}
void wnd::onSize(int, int*, int*) {}
LRESULT wnd::onEndSession() { return 1; }
LRESULT wnd::onPaletteChanged(HWND, WPARAM) { return 1; }
LRESULT wnd::onQueryNewPalette() { return 0; }
LRESULT wnd::onQueryEndSession() { return 1; }
LRESULT wnd::onMove(LPARAM) { return 1; }
void wnd::reserved24(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void wnd::reserved25(std::int32_t, std::int32_t) {}
void wnd::reserved26(std::int32_t, std::int32_t) {}

void wnd::onScroll(WPARAM wParam, LPARAM, int vertical) {
    static const int mapped[] = {3, 4, 1, 2, 6, 5, 7, 8};
    const int code = LOWORD(wParam);
    if (code < 0 || code > 7) return;
    const int position = (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) ? HIWORD(wParam) : -1;
    if (vertical) {
        onVScroll(mapped[code], position);
    } else {
        onHScroll(mapped[code], position);
    }
}

void wnd::reserved28(std::int32_t, std::int32_t, std::int32_t) {}
void wnd::onSysGroupCommand(int) {}
void wnd::onCtrlGroupCommand(int, int, LPARAM) {}
int wnd::reserved31() { return 0; }
void wnd::reserved32(std::int32_t, std::int32_t) {}
void wnd::reserved33(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

void wnd::bringToFront() {
    if (IsIconic(hWnd)) ShowWindow(hWnd, SW_RESTORE);
    if (!SetForegroundWindow(hWnd)) SetActiveWindow(hWnd);
}

void wnd::onCreate(HWND) {}
void wnd::reserved36() {}
int wnd::queryClose() { return 1; }
void wnd::reserved38(std::int32_t, std::int32_t) {}
void wnd::onInitMenu() {}
void wnd::reserved40(std::int32_t) {}
LRESULT wnd::onMouseActivate(LPARAM) { return 1; }
void wnd::reserved42(std::int32_t) {}
void wnd::onSysColorChange() {}

LRESULT wnd::onControlColor(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(h, message, wParam, lParam);
}

LRESULT wnd::onVKeyToItem(int, int, int) { return -1; }
LRESULT wnd::onRenderFormat(WPARAM) { return 0; }
LRESULT wnd::onRenderAllFormats() { return 0; }
LRESULT wnd::onDestroyClipboard() { return 0; }
int wnd::reserved49(std::int32_t) { return 0; }
bool wnd::onShellMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void wnd::subclass() {
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wndProc));
}

void wnd::setTitle(const char* text) {
    SetWindowTextA(hWnd, text);
    delete[] title;
    title = strDup(text);
}

void wnd::attach() {
    SetWindowLongPtrA(hWnd, 0, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(hWnd, WM_CREATE, 0, 0);
}
