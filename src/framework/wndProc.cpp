// The shared window procedure: finds the window's object in extra word 0 and
// turns each message into a call of its virtual operations.
#include "framework/app.h"
#include "framework/ctl3d.h"
#include "framework/procGuard.h"
#include "framework/toolbar.h"
#include "framework/wnd.h"
#include "support/ipcMsg.h"

namespace {

unsigned xOf(LPARAM lParam) { return LOWORD(lParam); }
unsigned yOf(LPARAM lParam) { return HIWORD(lParam); }

bool isControlColor(UINT message) { return message >= 0x132 && message <= 0x138; }

void onCommandMessage(wnd* w, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int group = id & 0xFF00;
    if (group == 0xE000) {
        w->onSysGroupCommand(id);
    } else if (group == 0xD000) {
        w->onCtrlGroupCommand(id, HIWORD(wParam), lParam);
    } else if (group == 0xA000) {
        routeToolbarCommand(wParam, lParam);
    } else {
        w->onCommand(group, id & 0xFF);
    }
}

LRESULT onMouse(wnd* w, HWND hWnd, UINT message, WPARAM keys, LPARAM lParam) {
    const unsigned x = xOf(lParam), y = yOf(lParam);
    switch (message) {
        case WM_MOUSEMOVE: w->onMouseMove(x, y, keys); break;
        case WM_LBUTTONDOWN:
            if (rightUp) SetCapture(hWnd);
            leftUp = 0;
            w->onLButtonDown(x, y, keys);
            break;
        case WM_LBUTTONUP:
            w->onLButtonUp(x, y, keys);
            if (rightUp) ReleaseCapture();
            leftUp = 1;
            break;
        case WM_RBUTTONDOWN:
            if (leftUp) SetCapture(hWnd);
            rightUp = 0;
            w->onRButtonDown(x, y, keys);
            break;
        case WM_RBUTTONUP:
            w->onRButtonUp(x, y, keys);
            if (leftUp) ReleaseCapture();
            rightUp = 1;
            break;
        case WM_LBUTTONDBLCLK: w->onLButtonDouble(x, y, keys); break;
        default: w->onRButtonDouble(x, y, keys); break;
    }
    return 0;
}

// (a) inter-process messages, (b) deferred calls, (c) the default.
LRESULT onOther(wnd* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ipcMsg* record = nullptr;
    std::uintptr_t passedW = 0;
    if (ipcMsgReceive(message, wParam, lParam, &record, &passedW)) {
        // The record is released even when no handler takes it, or its
        // shared buffer would never be given back.
        if (w->ipcHandler) {
            const LRESULT result = static_cast<ipcReceiver*>(w->ipcHandler)->handle(passedW, record);
            ipcMsgDone(record);
            return result;
        }
        ipcMsgDone(record);
    }
    if (message == startMsgId && startMsgId != 0 && lParam) {
        auto* call = reinterpret_cast<startRecord*>(lParam);
        if (call->function) call->function(call->argument);
        delete call;
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT onSizeMessage(wnd* w, WPARAM wParam, LPARAM lParam) {
    int kind = 0;
    if (wParam == SIZE_MINIMIZED) {
        kind = -1;
    } else if (w->restoringFromIcon) {
        kind = 1;
        w->restoringFromIcon = 0;
    }
    int width = LOWORD(lParam), height = HIWORD(lParam);
    w->onSize(kind, &width, &height);
    return 0;
}

LRESULT onWindowState(wnd* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_CREATE: w->onCreate(hWnd); return 0;
        case WM_MOVE: return w->onMove(lParam) ? DefWindowProcA(hWnd, message, wParam, lParam) : 0;
        case WM_SIZE: return onSizeMessage(w, wParam, lParam);
        case WM_PAINT: {
            RECT rect;
            if (GetUpdateRect(hWnd, &rect, TRUE)) w->onPaint();
            return 0;
        }
        case WM_CLOSE:
            if (w->queryClose()) DestroyWindow(hWnd);
            return 0;
        case WM_QUERYENDSESSION: return w->onQueryEndSession();
        case WM_QUERYOPEN:
            w->restoringFromIcon = 1;
            return DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_SYSCOLORCHANGE: w->onSysColorChange(); return 0;
        case WM_ENDSESSION: return wParam ? w->onEndSession() : DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_MOUSEACTIVATE: {
            const LRESULT r = w->onMouseActivate(lParam);
            return r == 1 ? DefWindowProcA(hWnd, message, wParam, lParam) : r;
        }
        default: handled = false; return 0;
    }
}

LRESULT onInput(wnd* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_VKEYTOITEM:
            return w->onVKeyToItem(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam), HIWORD(wParam));
        case WM_COPYDATA:
        case WM_DROPFILES: {
            LRESULT result = 0;
            return w->onShellMessage(message, wParam, lParam, &result) ? result
                                                                        : DefWindowProcA(hWnd, message, wParam, lParam);
        }
        case WM_KEYDOWN: w->onKeyDown(wParam, lParam); return 0;
        case WM_KEYUP: w->onKeyUp(wParam, lParam); return 0;
        case WM_COMMAND: onCommandMessage(w, wParam, lParam); return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                w->onSysClose(wParam);
                return 0;
            }
            return DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_TIMER: return w->onTimer(wParam);
        case WM_HSCROLL: w->onScroll(wParam, lParam, 0); return 0;
        case WM_VSCROLL: w->onScroll(wParam, lParam, 1); return 0;
        case WM_INITMENU: w->onInitMenu(); return 0;
        case WM_MENUSELECT: return DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
            return onMouse(w, hWnd, message, wParam, lParam);
        default: handled = false; return 0;
    }
}

LRESULT onSystem(wnd* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
        case WM_RENDERFORMAT:
            return w->onRenderFormat(wParam) ? 0 : DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_RENDERALLFORMATS:
            return w->onRenderAllFormats() ? 0 : DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_DESTROYCLIPBOARD:
            return w->onDestroyClipboard() ? 0 : DefWindowProcA(hWnd, message, wParam, lParam);
        case WM_QUERYNEWPALETTE: return w->onQueryNewPalette();
        case WM_PALETTECHANGED: w->onPaletteChanged(hWnd, wParam); return 0;
        case helpRequest: return 0;
        default: break;
    }
    if (isControlColor(message)) {
        if (HBRUSH brush = ctl3d::colorAnswer(message, wParam, lParam)) return reinterpret_cast<LRESULT>(brush);
        return w->onControlColor(hWnd, message, wParam, lParam);
    }
    handled = false;
    return 0;
}

}  // namespace

static LRESULT handleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* w = reinterpret_cast<wnd*>(GetWindowLongPtrA(hWnd, 0));
    if (!w) {
        if (isControlColor(message)) {
            if (HBRUSH brush = ctl3d::colorAnswer(message, wParam, lParam)) return reinterpret_cast<LRESULT>(brush);
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    bool handled = false;
    LRESULT result = onWindowState(w, hWnd, message, wParam, lParam, handled);
    if (handled) return result;
    result = onInput(w, hWnd, message, wParam, lParam, handled);
    if (handled) return result;
    result = onSystem(w, hWnd, message, wParam, lParam, handled);
    if (handled) return result;
    return onOther(w, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK wndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedCall<LRESULT>("wndProc", message, 0, [&] { return handleMessage(hWnd, message, wParam, lParam); });
}
