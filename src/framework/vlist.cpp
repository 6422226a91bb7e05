#include "framework/vlist.h"

#include <cstring>
#include <new>

#include "framework/app.h"
#include "framework/ctl3d.h"
#include "framework/procGuard.h"
#include "framework/vlistPicking.h"
#include "framework/vlistView.h"
#include "support/assertion.h"

namespace {

const char* const className = "VList";
const char* const moduleName = "GUI\\SRCPC\\VLIST";
constexpr LONG_PTR destroyedState = -1;
int useCount = 0;

LRESULT CALLBACK listProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

VLBox* stateOf(HWND hWnd) {
    const LONG_PTR word = GetWindowLongPtrA(hWnd, 0);
    return word == destroyedState ? nullptr : reinterpret_cast<VLBox*>(word);
}

int onCreate(VLBox* v, HWND hWnd, const CREATESTRUCTA* cs) {
    v->hWnd = hWnd;
    v->hWndOwner = cs->hwndParent;
    v->ctlId = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(cs->hMenu));
    v->hInstance = cs->hInstance;
    v->redrawCount = 1;
    v->nItems = -2;
    v->selItem = -1;
    v->flags = static_cast<std::uint16_t>(((v->style & 0x8000) ? vlbDataMode : 0) | vlbHasText);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC dc = GetDC(hWnd);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(hWnd, dc);
    v->lineHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
    v->nVisible = rc.bottom / v->lineHeight;
    const DWORD listStyle = (v->style & ~0x0030CA2Au) | 0x40800541u;
    v->hWndList = CreateWindowExA(0, "LISTBOX", "", listStyle, 0, 0, rc.right, rc.bottom, hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(101)), cs->hInstance, nullptr);
    if (!v->hWndList) return -1;
    if (v->style & 0x1000) {
        ShowScrollBar(v->hWndList, SB_VERT, TRUE);
        EnableScrollBar(v->hWndList, SB_VERT, ESB_DISABLE_BOTH);
        if (v->style & 0x00100000) {
            ShowScrollBar(v->hWndList, SB_HORZ, TRUE);
            EnableScrollBar(v->hWndList, SB_HORZ, ESB_DISABLE_BOTH);
            v->hScrollOn = 1;
            vlistView(v).recomputeVisible();
        }
    } else {
        v->hScrollOn = 0;
    }
    if ((v->style & 0x4000) && theAppEnv && theAppEnv->ctl3d) ctl3d::subclassCtl(v->hWndList);
    v->oldListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(v->hWndList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
    return 0;
}

LRESULT handleListMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetParent(hWnd);
    VLBox* v = stateOf(control);
    if (!v) {
        assertFail("pVLBox != 0", moduleName, __LINE__);
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    if (message == WM_CHAR || message == WM_VSCROLL) return SendMessageA(control, message, wParam, lParam);
    if (message == 0x0118) SendMessageA(control, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) vlistPicking::click(v, wParam, lParam);
    if (message == WM_SETFOCUS) v->flags = static_cast<std::uint16_t>(v->flags | vlbFocus);
    const LRESULT result = CallWindowProcA(v->oldListProc, hWnd, message, wParam, lParam);
    if (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON)) vlistPicking::dragged(v, wParam);
    return result;
}

LRESULT CALLBACK listProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedCall<LRESULT>("VList listProc", message, 0, [&] { return handleListMessage(hWnd, message, wParam, lParam); });
}

}  // namespace

// Only a registration that took place is counted, so that the last
// unregistration always finds the class registered.
bool vlistRegister(HINSTANCE hInstance) {
    if (useCount == 0) {
        WNDCLASSA wc{};
        wc.style = 0x4088;
        wc.lpfnWndProc = vlistWndProc;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = hInstance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = className;
        if (!RegisterClassA(&wc)) return false;
    }
    ++useCount;
    return true;
}

void vlistUnregister(HINSTANCE hInstance) {
    if (--useCount < 1) {
        UnregisterClassA(className, hInstance);
        useCount = 0;
    }
}

VLBox* vlistState(HWND hWnd) {
    char cls[16] = "";
    GetClassNameA(hWnd, cls, sizeof cls);
    return lstrcmpiA(cls, className) == 0 ? stateOf(hWnd) : nullptr;
}

LRESULT vlistControlMessage(VLBox* v, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT vlistStandardMessage(VLBox* v, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

static LRESULT handleVListMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* v = new (std::nothrow) VLBox();
        if (!v) return 0;
        SetWindowLongPtrA(hWnd, 0, reinterpret_cast<LONG_PTR>(v));
        v->style = static_cast<std::uint32_t>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->style);
        v->selItem = -1;
        const LONG style = GetWindowLongA(hWnd, GWL_STYLE);
        SetWindowLongA(hWnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VSCROLL | WS_HSCROLL));
        DefWindowProcA(hWnd, message, wParam, lParam);
        return 1;
    }
    if (GetWindowLongPtrA(hWnd, 0) == destroyedState) return 0;
    VLBox* v = stateOf(hWnd);
    if (!v) return DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_CREATE) return onCreate(v, hWnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, 0, destroyedState);
        DefWindowProcA(hWnd, message, wParam, lParam);
        for (int i = 0; i < v->nStrings; ++i) delete[] v->strings[i];
        delete[] v->strings;
        delete v;
        return 0;
    }
    if (message >= VLB_RESETCONTENT && message <= VLB_PAGEUP) return vlistControlMessage(v, message, wParam, lParam);
    if (message >= VLB_SETEXTENDEDSEL && message <= VLB_SETSELECTION) return vlistPicking::message(v, message, wParam, lParam);
    return vlistStandardMessage(v, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK vlistWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedCall<LRESULT>("vlistWndProc", message, 0, [&] { return handleVListMessage(hWnd, message, wParam, lParam); });
}

