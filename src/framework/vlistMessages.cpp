// The messages of a VList control: its own control messages and the
// standard window messages it handles.
#include <cstring>

#include "framework/app.h"
#include "framework/vlist.h"
#include "framework/vlistPicking.h"
#include "framework/vlistView.h"
#include "support/assertion.h"

namespace {

const char* const moduleName = "GUI\\SRCPC\\VLIST";

LRESULT lb(VLBox* v, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(v->hWndList, message, wParam, lParam);
}

bool checkStruct(const VLBStruct* s, bool needText) {
    if (!s) {
        assertFail("lpvlbInStruct != 0", moduleName, __LINE__);
        return false;
    }
    if (needText && !s->lpTextPointer) {
        assertFail("lpvlbInStruct->lpTextPointer != 0", moduleName, __LINE__);
        return false;
    }
    return true;
}

void clearOutside(VLBox* v) { v->flags = static_cast<std::uint16_t>(v->flags & ~vlbSelOutside); }

// Shows the item's row selected, filling a page from it when not visible.
// With completeShort, a fill that leaves the page short is completed from
// the end of the list (Bottom) before the item's row is selected.
int showAndSelect(vlistView& view, VLBox* v, std::int32_t item, bool completeShort = false) {
    int row = view.rowOf(item);
    if (row < 0) {
        if (view.fillFrom(item, true) < 0) return -1;
        if (completeShort && v->nRows < v->nVisible && view.bottom() < 0) return -1;
        row = view.rowOf(item);
        if (row < 0) row = 0;
    }
    view.selectRow(row);
    clearOutside(v);
    return 0;
}

int selectNeighbour(vlistView& view, VLBox* v, std::int32_t item, bool next) {
    if (view.dataMode() && view.rowOf(item) < 0 && view.fillFrom(item, true) < 0) return -1;
    const int row = view.rowOf(item);
    const int target = next ? row + 1 : row - 1;
    if (row >= 0 && target >= 0 && target < v->nRows && target < v->nVisible) {
        view.selectRow(target);
        clearOutside(v);
        return 0;
    }
    if (next) {
        if (view.lineDown() < 0) return -1;
        view.selectRow(v->nVisible - 1);
    } else {
        if (view.lineUp() < 0) return -1;
        view.selectRow(0);
    }
    clearOutside(v);
    return 0;
}

int setCurSel(VLBox* v, WPARAM code, LPARAM lParam) {
    vlistView view(v);
    const auto item = static_cast<std::int32_t>(lParam);
    if (item == -1) {
        view.selectRow(-1);
        v->selItem = -1;
        vlistPicking::selectOnly(v);
        return -1;
    }
    int result = 0;
    switch (code) {
        case VLBR_FIRST:
            result = view.top();
            if (result == 0) view.selectRow(0);
            break;
        case VLBR_LAST:
            result = view.bottom();
            if (result == 0) view.selectRow((v->nRows < v->nVisible ? v->nRows : v->nVisible) - 1);
            break;
        case VLBR_FINDPOS:
            result = showAndSelect(view, v, item, view.dataMode());
            break;
        case VLBR_PREV: result = selectNeighbour(view, v, item, false); break;
        case VLBR_NEXT: result = selectNeighbour(view, v, item, true); break;
        default: return -1;
    }
    view.trackSelection();
    vlistPicking::selectOnly(v);
    return result;
}

int searchItem(VLBox* v, UINT message, VLBStruct* in) {
    if (!checkStruct(in, false)) return -1;
    vlistView view(v);
    v->request.index = in->index;
    v->request.data = in->data;
    v->request.lpSearchText = in->lpSearchText;
    v->request.lpTextPointer = nullptr;
    if (!view.ask(message == VLB_FINDSTRING ? VLBR_FINDSTRING : VLBR_SELECTSTRING)) {
        in->status = -1;
        return -1;
    }
    in->index = v->request.index;
    in->data = v->request.data;
    in->lpSearchText = v->request.lpSearchText;
    in->lpTextPointer = v->request.lpTextPointer;
    in->status = 0;
    const std::int32_t item = view.itemOf(v->request);
    if (message != VLB_SELECTSTRING) return item;
    v->selItem = item;
    in->index = item;
    const int shownAt = showAndSelect(view, v, item);
    vlistPicking::selectOnly(v);
    if (shownAt < 0) {
        in->status = -1;
        return -1;
    }
    return item;
}

int itemText(VLBox* v, VLBStruct* in, bool lengthOnly) {
    if (!checkStruct(in, !lengthOnly)) return -1;
    vlistView view(v);
    const std::int32_t item = view.dataMode() ? in->data : in->index;
    const int row = view.rowOf(item);
    if (row >= 0) {
        if (lengthOnly) return static_cast<int>(lb(v, LB_GETTEXTLEN, static_cast<WPARAM>(row)));
        return static_cast<int>(lb(v, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(in->lpTextPointer)));
    }
    if (item < 0) {
        in->status = -1;
        return -1;
    }
    v->request.index = v->request.data = item;
    v->request.lpTextPointer = nullptr;
    if (lengthOnly) {
        const LRESULT length = view.askResult(VLBR_GETTEXTLEN);
        return v->request.status == 0 ? static_cast<int>(length) : -1;
    }
    if (!view.ask(VLBR_GETTEXT) || !v->request.lpTextPointer) {
        in->status = -1;
        return -1;
    }
    std::strcpy(in->lpTextPointer, v->request.lpTextPointer);
    return static_cast<int>(std::strlen(in->lpTextPointer));
}

int itemData(VLBox* v, VLBStruct* in) {
    if (!checkStruct(in, false)) return -1;
    vlistView view(v);
    const std::int32_t item = view.dataMode() ? in->data : in->index;
    const int row = view.rowOf(item);
    if (row >= 0) return view.rowData(row);
    v->request.index = v->request.data = item;
    v->request.lpTextPointer = nullptr;
    return view.ask(VLBR_GETITEMDATA) ? v->request.data : -1;
}

int rowCall(VLBox* v, VLBStruct* in, UINT message) {
    if (!checkStruct(in, message == VLB_GETITEMRECT)) return -1;
    vlistView view(v);
    const int row = view.rowOf(view.dataMode() ? in->data : in->index);
    if (row < 0) return -1;
    if (message == VLB_GETITEMRECT) {
        return static_cast<int>(lb(v, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(in->lpTextPointer)));
    }
    return static_cast<int>(lb(v, LB_SETITEMDATA, static_cast<WPARAM>(row), in->index));
}

int setTopIndex(VLBox* v, std::int32_t item) {
    vlistView view(v);
    const int row = view.rowOf(item);
    if (row >= 1) return view.pageDown(row - v->nVisible) < 0 ? -1 : 0;
    return view.fillFrom(item, true) < 0 ? -1 : 0;
}

int updatePage(VLBox* v) {
    vlistView view(v);
    view.countRequest();
    if (!view.dataMode()) return 1;
    if (v->nRows > 0 && view.fillFrom(view.rowData(0), false) < 0) return -1;
    if (v->nItems == 0) {
        view.clearRows();
        v->selItem = -1;
    } else if (v->nItems == -1 || v->nItems <= v->nVisible) {
        view.top();
    } else if (view.fillFrom(v->topIndex, false) < 0) {
        return -1;
    }
    return 1;
}

LRESULT setHorizontalExtent(VLBox* v, WPARAM extent) {
    RECT row0{}, client{};
    lb(v, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    GetClientRect(v->hWndList, &client);
    int overflow = static_cast<int>(extent) - client.right;
    if (overflow < 1) overflow = 0;
    const bool keep = (v->style & 0x1000) != 0;
    if (overflow == 0 && row0.left == 0) {
        if (keep) {
            EnableScrollBar(v->hWndList, SB_HORZ, ESB_DISABLE_BOTH);
        } else if (v->hScrollOn) {
            ShowScrollBar(v->hWndList, SB_HORZ, FALSE);
            v->hScrollOn = 0;
            vlistView(v).recomputeVisible();
        }
    } else if (keep) {
        EnableScrollBar(v->hWndList, SB_HORZ, ESB_ENABLE_BOTH);
    } else if (!v->hScrollOn) {
        ShowScrollBar(v->hWndList, SB_HORZ, TRUE);
        v->hScrollOn = 1;
        vlistView(v).recomputeVisible();
    }
    return lb(v, LB_SETHORIZONTALEXTENT, extent);
}

}  // namespace

LRESULT vlistControlMessage(VLBox* v, UINT message, WPARAM wParam, LPARAM lParam) {
    vlistView view(v);
    auto* in = reinterpret_cast<VLBStruct*>(lParam);
    switch (message) {
        case VLB_RESETCONTENT:
        case VLB_INITIALIZE: {  // both leave no item selected
            const int result = view.initialize(message == VLB_RESETCONTENT);
            vlistPicking::selectOnly(v);
            return result;
        }
        case VLB_SETCURSEL: return setCurSel(v, wParam, lParam);
        case VLB_GETCURSEL: return v->selItem;
        case VLB_GETTEXT: return itemText(v, in, false);
        case VLB_GETTEXTLEN: return itemText(v, in, true);
        case VLB_GETCOUNT: return v->nItems;
        case VLB_SELECTSTRING:
        case VLB_FINDSTRING:
        case VLB_LOCATESTRING: return searchItem(v, message, in);
        case VLB_GETITEMRECT:
        case VLB_SETITEMDATA: return rowCall(v, in, message);
        case VLB_GETITEMDATA: return itemData(v, in);
        case VLB_SETITEMHEIGHT: return lb(v, LB_SETITEMHEIGHT, 0, lParam);
        case VLB_GETITEMHEIGHT: return lb(v, LB_GETITEMHEIGHT);
        case VLB_SETTABSTOPS: return lb(v, LB_SETTABSTOPS, wParam, lParam);
        case VLB_GETTOPINDEX: return view.dataMode() ? (v->nRows > 0 ? view.rowData(0) : -1) : v->topIndex;
        case VLB_SETTOPINDEX: return setTopIndex(v, static_cast<std::int32_t>(lParam));
        case VLB_GETHORIZONTALEXTENT: return lb(v, LB_GETHORIZONTALEXTENT);
        case VLB_SETHORIZONTALEXTENT: return setHorizontalExtent(v, wParam);
        case VLB_UPDATEPAGE: return updatePage(v);
        case VLB_GETLINES: return v->nVisible;
        case VLB_PAGEDOWN: view.pageDown(static_cast<int>(wParam)); return 1;
        default: view.pageUp(static_cast<int>(wParam)); return 1;
    }
}
