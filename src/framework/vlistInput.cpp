// Standard window messages of a VList control: layout, focus, painting,
// fonts, mouse and keyboard, the inner list box's notifications and
// scrolling, and the owner-drawn messages passed to the owner.
#include "framework/app.h"
#include "framework/ctl3d.h"
#include "framework/vlist.h"
#include "framework/vlistPicking.h"
#include "framework/vlistView.h"

namespace {

LRESULT lb(VLBox* v, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(v->hWndList, message, wParam, lParam);
}

void clearOutside(VLBox* v) { v->flags = static_cast<std::uint16_t>(v->flags & ~vlbSelOutside); }

void notifySelection(VLBox* v) {
    SendMessageA(v->hWndOwner, WM_COMMAND, MAKEWPARAM(v->ctlId, 1), reinterpret_cast<LPARAM>(v->hWnd));
}

void onSetFocus(VLBox* v) {
    v->flags = static_cast<std::uint16_t>(v->flags | vlbFocus);
    if (v->flags & vlbSelOutside) return;
    if (vlistView(v).rowOf(v->selItem) >= 0 && v->selItem != -1) {
        clearOutside(v);
        SetFocus(v->hWndList);
    } else {
        v->flags = static_cast<std::uint16_t>(v->flags | vlbSelOutside);
    }
}

// Page and arrow keys on a selection that may be outside the view.
void moveKey(vlistView& view, VLBox* v, int key) {
    const int row = view.rowOf(v->selItem);
    const int last = v->nVisible - 1;
    if (row < 0) {
        view.suspend();
        if (view.fillFrom(v->selItem, true) == 0) {
            if (key == VK_DOWN) view.lineDown();
            if (key == VK_UP) view.lineUp();
            if (key == VK_NEXT) view.pageDown(-1);
            if (key == VK_PRIOR) view.pageUp(-1);
            view.selectRow(0);
        }
        view.resume();
    } else if (key == VK_DOWN) {
        if (row == last) {
            view.lineDown();
            view.selectRow(last);
        } else {
            view.selectRow(row + 1);
        }
    } else if (key == VK_UP) {
        if (row == 0) view.lineUp();
        view.selectRow(row == 0 ? 0 : row - 1);
    } else if (key == VK_NEXT) {
        if (row == last) view.pageDown(-1);
        else if (row != 0) view.pageDown(row - v->nVisible);
        view.selectRow(last);
    } else {
        if (row == 0) view.pageUp(-1);
        else if (row != last) view.pageUp(-(row + 1));
        view.selectRow(0);
    }
    clearOutside(v);
    SetFocus(v->hWndList);
    view.trackSelection();
}

LRESULT onVKeyToItem(VLBox* v, WPARAM wParam) {
    LRESULT answer = -1;
    if (v->style & 0x0400) {
        answer = SendMessageA(v->hWndOwner, WM_VKEYTOITEM, wParam, reinterpret_cast<LPARAM>(v->hWnd));
        if (answer != -1) return answer;
    }
    vlistView view(v);
    const int key = LOWORD(wParam);
    if (vlistPicking::keyWithoutMove(v, key)) {
        answer = -2;
    } else if (key >= VK_PRIOR && key <= VK_DOWN) {
        if (key == VK_HOME) {
            view.top();
            view.selectRow(0);
            clearOutside(v);
        } else if (key == VK_END) {
            const int row = (v->nVisible < v->nRows ? v->nVisible : v->nRows) - 1;
            view.bottom();
            view.selectRow(row);
            clearOutside(v);
        } else if (v->selItem != -1) {
            const int move = (key == VK_LEFT) ? VK_UP : (key == VK_RIGHT ? VK_DOWN : key);
            moveKey(view, v, move);
        }
        view.trackSelection();
        vlistPicking::movedByKey(v);
        answer = -2;
    } else {
        char text[2] = {static_cast<char>(key & 0xFF), '\0'};
        VLBStruct find{};
        find.index = (v->selItem != -1 ? v->selItem : v->topIndex) + 1;
        find.lpSearchText = text;
        SendMessageA(v->hWnd, VLB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(&find));
        answer = -1;
    }
    notifySelection(v);
    return answer;
}

LRESULT onListCommand(VLBox* v, WPARAM wParam) {
    const int code = HIWORD(wParam);
    if (code == LBN_SELCHANGE) {
        vlistView(v).trackSelection();
        vlistPicking::movedByList(v);
    }
    if (code == LBN_SELCANCEL) v->selItem = -1;
    if (v->style & 0x0001) {
        SendMessageA(v->hWndOwner, WM_COMMAND, MAKEWPARAM(v->ctlId, code), reinterpret_cast<LPARAM>(v->hWnd));
    }
    return 0;
}

LRESULT onInternalTimer(VLBox* v) {
    vlistView view(v);
    const int row = view.selectedRow();
    if (row >= 0 && row == v->nRows - 1) view.lineDown();
    else if (row == 0) view.lineUp();
    view.trackSelection();
    return 0;
}

// Owner-drawn list box messages go to the owner as coming from the control.
LRESULT forwardOwnerDraw(VLBox* v, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            d->CtlType = ODT_LISTBOX;
            d->CtlID = static_cast<UINT>(v->ctlId);
            d->hwndItem = v->hWnd;
            vlistPicking::mark(v, d);
            break;
        }
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            m->CtlType = ODT_LISTBOX;
            m->CtlID = static_cast<UINT>(v->ctlId);
            const LRESULT r = SendMessageA(v->hWndOwner, message, static_cast<WPARAM>(v->ctlId), lParam);
            vlistView(v).layout(static_cast<int>(m->itemHeight));
            return r;
        }
        case WM_DELETEITEM: {
            auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
            d->CtlType = ODT_LISTBOX;
            d->CtlID = static_cast<UINT>(v->ctlId);
            d->hwndItem = v->hWnd;
            break;
        }
        default: {
            auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
            c->CtlType = ODT_LISTBOX;
            c->CtlID = static_cast<UINT>(v->ctlId);
            c->hwndItem = v->hWnd;
        }
    }
    return SendMessageA(v->hWndOwner, message, static_cast<WPARAM>(v->ctlId), lParam);
}

LRESULT onColor(VLBox* v, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (v->style & 0x4000) {
        if (theAppEnv && theAppEnv->ctl3d) {
            return reinterpret_cast<LRESULT>(ctl3d::colorAnswer(message, wParam, lParam));
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

LRESULT vlistStandardMessage(VLBox* v, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    vlistView view(v);
    switch (message) {
        case WM_SIZE:
            if (LOWORD(lParam) && HIWORD(lParam) && v->hWndList) view.layout(0);
            return 1;
        case WM_SETFOCUS: onSetFocus(v); return 0;
        case WM_KILLFOCUS:
            if (reinterpret_cast<HWND>(wParam) != v->hWndList) {
                v->flags = static_cast<std::uint16_t>(v->flags & ~vlbFocus);
            }
            return 0;
        case WM_ENABLE:
            InvalidateRect(hWnd, nullptr, TRUE);
            EnableWindow(v->hWndList, static_cast<BOOL>(wParam));
            return 0;
        case WM_SETREDRAW:
            if (wParam) view.resume(); else view.suspend();
            return 0;
        case WM_PAINT: DefWindowProcA(hWnd, message, wParam, lParam); return 1;
        case WM_ERASEBKGND: return 1;
        case WM_GETDLGCODE: return 0x81;
        case WM_SETFONT:
            v->hFont = reinterpret_cast<HFONT>(wParam);
            lb(v, WM_SETFONT, wParam, lParam);
            view.layout(0);
            if (lParam) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(v->hFont);
        case WM_CTLCOLORLISTBOX: case 0x0019: return onColor(v, hWnd, message, wParam, lParam);
        case WM_KEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
            SetFocus(v->hWndList);
            return lb(v, message, wParam, lParam);
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == v->hWndList) return onListCommand(v, wParam);
            break;
        case WM_VSCROLL: return view.scrollBar(LOWORD(wParam), HIWORD(wParam));
        case 0x0118: return onInternalTimer(v);
        case WM_VKEYTOITEM: return onVKeyToItem(v, wParam);
        case WM_CHARTOITEM:
            if (v->style & 0x0400) {
                return SendMessageA(v->hWndOwner, message, wParam, reinterpret_cast<LPARAM>(hWnd));
            }
            return -1;
        case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM: case WM_COMPAREITEM:
            return forwardOwnerDraw(v, message, lParam);
        default: break;
    }
    const bool listRange = onWin32s ? (message >= WM_USER && message <= WM_USER + 499)
                                    : (message >= 0x0180 && message <= 0x01AF);
    if (listRange) return lb(v, message, wParam, lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
