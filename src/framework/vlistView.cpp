#include "framework/vlistView.h"

namespace {

LRESULT lb(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(list, message, wParam, lParam);
}

}  // namespace

bool vlistView::ask(UINT code) {
    v->request.ctlId = v->ctlId;
    v->request.status = 0;
    SendMessageA(v->hWndOwner, code, 0, reinterpret_cast<LPARAM>(&v->request));
    return v->request.status == 0;
}

LRESULT vlistView::askResult(UINT code) {
    v->request.ctlId = v->ctlId;
    v->request.status = 0;
    return SendMessageA(v->hWndOwner, code, 0, reinterpret_cast<LPARAM>(&v->request));
}

std::int32_t vlistView::rowData(int row) const {
    return static_cast<std::int32_t>(lb(v->hWndList, LB_GETITEMDATA, static_cast<WPARAM>(row)));
}

int vlistView::selectedRow() const { return static_cast<int>(lb(v->hWndList, LB_GETCURSEL)); }

void vlistView::selectRow(int row) { lb(v->hWndList, LB_SETCURSEL, static_cast<WPARAM>(row)); }

void vlistView::selectInView(int row) {
    selectRow(row);
    v->flags = static_cast<std::uint16_t>(v->flags & ~vlbSelOutside);
}

void vlistView::addRow(const VLBStruct& item) {
    const char* text = item.lpTextPointer ? item.lpTextPointer : "";
    const LRESULT row = lb(v->hWndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    lb(v->hWndList, LB_SETITEMDATA, static_cast<WPARAM>(row), item.data);
}

void vlistView::insertRow0(const VLBStruct& item) {
    const char* text = item.lpTextPointer ? item.lpTextPointer : "";
    lb(v->hWndList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
    lb(v->hWndList, LB_SETITEMDATA, 0, item.data);
}

void vlistView::deleteRow(int row) { lb(v->hWndList, LB_DELETESTRING, static_cast<WPARAM>(row)); }

void vlistView::clearRows() {
    SendMessageA(v->hWndOwner, VLBN_CLEARED, static_cast<WPARAM>(v->ctlId), 0);
    lb(v->hWndList, LB_RESETCONTENT);
    v->nRows = 0;
}

int vlistView::rowOf(std::int32_t item) const {
    if (dataMode()) {
        for (int r = 0; r < v->nRows; ++r) {
            if (rowData(r) == item) return r;
        }
        return -1;
    }
    if (item >= v->topIndex && item <= v->topIndex + v->nRows - 1) return item - v->topIndex;
    return -1;
}

bool vlistView::isSelItem(const VLBStruct& item) const {
    return (dataMode() ? item.data : item.index) == v->selItem;
}

void vlistView::suspend() {
    if (--v->redrawCount == 0) lb(v->hWndList, WM_SETREDRAW, FALSE);
}

void vlistView::resume() {
    if (++v->redrawCount == 1) {
        lb(v->hWndList, WM_SETREDRAW, TRUE);
        InvalidateRect(v->hWnd, nullptr, TRUE);
        InvalidateRect(v->hWndList, nullptr, TRUE);
    }
}

void vlistView::markOutside() {
    v->flags = static_cast<std::uint16_t>(v->flags | vlbSelOutside);
    if (v->flags & vlbFocus) SetFocus(v->hWnd);
}

// The owner hears of the item once its row is gone, so that it sees the list
// box without it.
void vlistView::removeRow(int row, std::int32_t item) {
    deleteRow(row);
    SendMessageA(v->hWndOwner, VLBN_ITEMGONE, static_cast<WPARAM>(v->ctlId), item);
}

void vlistView::updateThumb() {
    const bool keep = (v->style & 0x1000) != 0;
    if (v->nItems == -1) {
        SetScrollPos(v->hWndList, SB_VERT, 50, TRUE);
        return;
    }
    if (v->nVisible >= v->nItems) {
        if (keep) {
            EnableScrollBar(v->hWndList, SB_VERT, ESB_DISABLE_BOTH);
        } else {
            ShowScrollBar(v->hWndList, SB_VERT, FALSE);
        }
        return;
    }
    if (keep) {
        EnableScrollBar(v->hWndList, SB_VERT, ESB_ENABLE_BOTH);
    } else {
        ShowScrollBar(v->hWndList, SB_VERT, TRUE);
    }
    int position;
    if (v->topIndex >= v->nItems - v->nVisible) {
        position = 100;
    } else if (v->topIndex == 0) {
        position = 0;
    } else {
        position = v->topIndex * 100 / (v->nItems - v->nVisible + 1);
    }
    SetScrollPos(v->hWndList, SB_VERT, position, TRUE);
}

void vlistView::trackSelection() {
    const int r = selectedRow();
    if (r < 0) return;
    v->selItem = dataMode() ? rowData(r) : v->topIndex + r;
}

// Builds a page from the item that the last request answered: row 0, then
// forward with VLBR_NEXT and, when the list ends first, backward.
int vlistView::fillFromAnswer(bool setTop, std::int32_t topValue, bool backward) {
    markOutside();
    suspend();
    clearRows();
    addRow(v->request);
    v->nRows = 1;
    int selRow = isSelItem(v->request) ? 0 : -1000;
    if (setTop) v->topIndex = topValue;
    while (v->nRows < v->nVisible && ask(VLBR_NEXT)) {
        addRow(v->request);
        if (isSelItem(v->request)) selRow = v->nRows;
        ++v->nRows;
    }
    if (backward && v->nRows < v->nVisible) {
        v->request.index = dataMode() ? -1 : v->topIndex;
        v->request.data = rowData(0);
        v->request.lpTextPointer = nullptr;
        while (v->nRows < v->nVisible && ask(VLBR_PREV)) {
            insertRow0(v->request);
            selRow = isSelItem(v->request) ? 0 : selRow + 1;
            ++v->nRows;
            if (v->nItems != -1) --v->topIndex;
        }
    }
    if (selRow >= 0) {
        selectInView(selRow);
    }
    updateThumb();
    resume();
    return 0;
}

int vlistView::fillFrom(std::int32_t item, bool setTop) {
    v->request.index = v->request.data = item;
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_FINDPOS)) return -1;
    std::int32_t topValue = v->request.index;
    if (v->nItems == -1) {
        topValue = v->request.data;
    } else if (dataMode()) {
        topValue = v->nItems / 2;
    }
    return fillFromAnswer(setTop, topValue, true);
}

int vlistView::top() {
    v->request.index = v->request.data = 0;
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_FIRST)) return -1;
    std::int32_t topValue = v->request.index;
    if (v->nItems == -1) {
        topValue = v->request.data;
    } else if (dataMode()) {
        topValue = 0;
    }
    return fillFromAnswer(true, topValue, false);
}

int vlistView::bottom() {
    v->request.index = v->request.data = 0;
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_LAST)) return -1;
    markOutside();
    suspend();
    clearRows();
    addRow(v->request);
    v->nRows = 1;
    if (v->nItems == -1) {
        v->topIndex = v->request.data;
    } else {
        v->topIndex = dataMode() ? v->nItems : v->request.index;
    }
    // The selected item's row counts from the bottom of a full page.
    int selRow = isSelItem(v->request) ? v->nVisible - 1 : -1;
    while (v->nRows < v->nVisible) {
        v->request.index = dataMode() ? -1 : v->topIndex;
        v->request.data = rowData(0);
        v->request.lpTextPointer = nullptr;
        if (!ask(VLBR_PREV)) break;
        insertRow0(v->request);
        ++v->nRows;
        if (v->nItems != -1) --v->topIndex;
        if (isSelItem(v->request)) selRow = v->nVisible - v->nRows;
    }
    if (selRow >= 0) {
        selectInView(selRow < v->nRows ? selRow : v->nRows - 1);
    }
    updateThumb();
    resume();
    return 0;
}

int vlistView::lineDown() {
    v->request.index = dataMode() ? -1 : v->topIndex + v->nVisible - 1;
    v->request.data = rowData(v->nRows - 1);
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_NEXT)) return -1;
    const int oldSel = selectedRow();
    if (oldSel == 0) {
        selectRow(-1);
        markOutside();
    }
    removeRow(0, dataMode() ? rowData(0) : v->topIndex);
    addRow(v->request);
    ++v->topIndex;
    updateThumb();
    ValidateRect(v->hWndList, nullptr);
    ScrollWindow(v->hWndList, 0, -v->lineHeight, nullptr, nullptr);
    RECT last;
    lb(v->hWndList, LB_GETITEMRECT, static_cast<WPARAM>(v->nVisible - 1), reinterpret_cast<LPARAM>(&last));
    InvalidateRect(v->hWndList, &last, TRUE);
    UpdateWindow(v->hWndList);
    if (isSelItem(v->request)) {
        selectInView(v->nVisible - 1);
    } else if (oldSel > 0) {
        selectRow(oldSel - 1);
    }
    return 0;
}

int vlistView::lineUp() {
    v->request.index = dataMode() ? -1 : v->topIndex;
    v->request.data = rowData(0);
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_PREV)) return -1;
    const int last = v->nVisible - 1;
    const int oldSel = selectedRow();
    if (oldSel == last) {
        selectRow(-1);
        markOutside();
    }
    if (v->nRows > last && last >= 0) {
        removeRow(last, dataMode() ? rowData(v->nRows - 1) : v->topIndex + last);
    } else {
        ++v->nRows;
    }
    insertRow0(v->request);
    --v->topIndex;
    updateThumb();
    ValidateRect(v->hWndList, nullptr);
    ScrollWindow(v->hWndList, 0, v->lineHeight, nullptr, nullptr);
    RECT first;
    lb(v->hWndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    InvalidateRect(v->hWndList, &first, TRUE);
    UpdateWindow(v->hWndList);
    if (isSelItem(v->request)) {
        selectInView(0);
    } else if (oldSel >= 0 && oldSel != last) {
        selectRow(oldSel + 1);
    }
    return 0;
}

// Moves the view by nVisible + k lines, one owner request a line; the rows
// change with drawing suspended and the whole list repaints once.
int vlistView::page(int k, bool down) {
    int tracked = selectedRow();
    if (tracked < 0) tracked = -10000;
    selectRow(-1);
    markOutside();
    bool suspended = false;
    for (int step = 0; step <= v->nVisible + k - 1; ++step) {
        const int edgeRow = down ? v->nRows - 1 : 0;
        v->request.index = dataMode() ? -1 : v->topIndex + edgeRow;
        v->request.data = rowData(edgeRow);
        v->request.lpTextPointer = nullptr;
        if (!ask(down ? VLBR_NEXT : VLBR_PREV)) {
            if (step == 0) return -1;
            continue;
        }
        if (!suspended) {
            suspend();
            suspended = true;
        }
        if (down) {
            removeRow(0, dataMode() ? rowData(0) : v->topIndex);
            addRow(v->request);
            ++v->topIndex;
            tracked = isSelItem(v->request) ? v->nRows - 1 : tracked - 1;
        } else {
            insertRow0(v->request);
            if (v->nRows >= v->nVisible) {
                removeRow(v->nVisible, dataMode() ? rowData(v->nVisible) : v->topIndex - 1 + v->nVisible);
            } else {
                ++v->nRows;
            }
            --v->topIndex;
            tracked = isSelItem(v->request) ? 0 : tracked + 1;
        }
    }
    if (tracked >= 0 && (down || tracked < v->nVisible)) selectInView(tracked);
    updateThumb();
    if (suspended) resume();
    return 1;
}

int vlistView::percentPage(int position) {
    if (!dataMode()) return fillFrom((v->nItems - v->nVisible + 1) * position / 100, true);
    v->request.index = v->request.data = position;
    v->request.lpTextPointer = nullptr;
    if (!ask(VLBR_FINDPERCENT)) return -1;
    const std::int32_t topValue =
        v->nItems == -1 ? v->request.data : (v->nItems - v->nVisible + 1) * position / 100;
    return fillFromAnswer(true, topValue, false);
}

int vlistView::scrollBar(int code, int position) {
    int result = 1;
    switch (code) {
        case 0: lineUp(); break;
        case 1: lineDown(); break;
        case 2: pageUp(0); break;
        case 3: pageDown(0); break;
        case 4:
        case 5:
            if (position == 0) return top() < 0 ? -1 : 1;
            if (position == 100) return bottom() < 0 ? -1 : 1;
            if (percentPage(position) < 0) result = -1;
            break;
        case 6: top(); break;
        case 7: bottom(); break;
        default: return 1;
    }
    trackSelection();
    return result;
}

int vlistView::countRequest() {
    v->request.index = v->request.data = 0;
    v->request.lpTextPointer = nullptr;
    if (ask(VLBR_GETCOUNT)) {
        v->nItems = v->request.index;
    } else {
        v->flags = static_cast<std::uint16_t>(v->flags | vlbDataMode);
        v->nItems = -1;
    }
    return 0;
}

int vlistView::initialize(bool reset) {
    if (reset) {
        clearRows();
    } else {
        SetScrollRange(v->hWndList, SB_VERT, 0, 100, TRUE);
    }
    countRequest();
    if (!reset && (v->style & 0x8000)) v->flags = static_cast<std::uint16_t>(v->flags | vlbDataMode);
    if (v->nItems != 0 && (reset || v->nVisible != 0)) top();
    v->selItem = -1;
    return 0;
}

void vlistView::recomputeVisible() {
    RECT rc;
    GetClientRect(v->hWndList, &rc);
    v->nVisible = v->lineHeight > 0 ? (rc.bottom - rc.top) / v->lineHeight : 0;
}

void vlistView::layout(int givenHeight) {
    if (!v->hWndList) {
        // An owner-drawn list box measures its items while it is being
        // created: only the line height and the lines that fit are known.
        if (givenHeight > 0) v->lineHeight = givenHeight;
        RECT rc;
        GetClientRect(v->hWnd, &rc);
        v->nVisible = rc.bottom / v->lineHeight;
        return;
    }
    if (givenHeight > 0) {
        v->lineHeight = givenHeight;
    } else if (v->style & 0x0010) {
        v->lineHeight = static_cast<std::int32_t>(lb(v->hWndList, LB_GETITEMHEIGHT));
    } else {
        HDC dc = GetDC(v->hWndList);
        HGDIOBJ old = SelectObject(dc, v->hFont ? v->hFont : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(v->hWndList, dc);
        v->lineHeight = tm.tmHeight;
    }
    if (v->lineHeight <= 0) v->lineHeight = 1;
    RECT rc;
    GetClientRect(v->hWnd, &rc);
    if (!(v->style & 0x0100) && rc.bottom % v->lineHeight != 0) {
        RECT wr;
        GetWindowRect(v->hWnd, &wr);
        SetWindowPos(v->hWnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - rc.bottom % v->lineHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(v->hWnd, &rc);
    }
    const int border = GetSystemMetrics(SM_CXBORDER);
    MoveWindow(v->hWndList, 0, 0, rc.right + 2 * border, rc.bottom + 2 * border, TRUE);
    recomputeVisible();
    if (v->nItems == -2) return;
    if (v->nVisible < v->nRows) {
        suspend();
        while (v->nRows > v->nVisible) {
            --v->nRows;
            removeRow(v->nRows, dataMode() ? rowData(v->nRows) : v->topIndex + v->nRows);
        }
        updateThumb();
        resume();
    } else if (v->nVisible > v->nRows) {
        if (v->nItems > v->nVisible && v->nRows > 0) {
            fillFrom(dataMode() ? rowData(0) : v->topIndex, false);
        } else {
            top();
        }
    }
}
