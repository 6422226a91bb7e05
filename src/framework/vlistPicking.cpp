#include "framework/vlistPicking.h"

#include "framework/vlistView.h"

namespace vlistPicking {

namespace {

bool held(int key) { return GetKeyState(key) < 0; }

void shown(VLBox* v) {
    InvalidateRect(v->hWndList, nullptr, FALSE);
}

std::int32_t itemAtRow(const VLBox* v, int row) {
    vlistView view(const_cast<VLBox*>(v));
    return view.dataMode() ? view.rowData(row) : v->topIndex + row;
}

}  // namespace

LRESULT message(VLBox* v, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case VLB_SETEXTENDEDSEL:
            v->picked.reset(wParam ? new vlistSelection() : nullptr);
            if (v->picked && v->selItem >= 0) v->picked->only(v->selItem);
            shown(v);
            return 1;
        case VLB_GETSELECTION: return reinterpret_cast<LRESULT>(v->picked.get());
        default:
            if (!v->picked || !lParam) return 0;
            *v->picked = *reinterpret_cast<const vlistSelection*>(lParam);
            shown(v);
            return 1;
    }
}

// Ctrl flips the item, Shift selects from the anchor (Ctrl+Shift keeping
// the rest); a press below the last row selects nothing new.
void click(VLBox* v, WPARAM keys, LPARAM point) {
    if (!v->picked) return;
    const LRESULT hit = SendMessageA(v->hWndList, LB_ITEMFROMPOINT, 0, point);
    if (HIWORD(hit) != 0 || static_cast<int>(LOWORD(hit)) >= v->nRows) return;
    const std::int32_t item = itemAtRow(v, LOWORD(hit));
    if (keys & MK_SHIFT) v->picked->extendTo(item, (keys & MK_CONTROL) != 0);
    else if (keys & MK_CONTROL) v->picked->toggle(item);
    else v->picked->only(item);
    shown(v);
}

bool keyWithoutMove(VLBox* v, int key) {
    if (!v->picked || !held(VK_CONTROL)) return false;
    if (key == 'A' && v->nItems > 0) v->picked->all(v->nItems);
    else if (key == VK_SPACE && v->selItem >= 0) v->picked->toggle(v->selItem);
    else return false;
    shown(v);
    return true;
}

void movedByKey(VLBox* v) {
    if (!v->picked || v->selItem < 0) return;
    if (held(VK_SHIFT)) v->picked->extendTo(v->selItem, held(VK_CONTROL));
    else if (held(VK_CONTROL)) v->picked->focus(v->selItem);
    else v->picked->only(v->selItem);
    shown(v);
}

void dragged(VLBox* v, WPARAM keys) {
    if (!v->picked || GetCapture() != v->hWndList) return;
    const int row = static_cast<int>(SendMessageA(v->hWndList, LB_GETCURSEL, 0, 0));
    if (row < 0) return;
    const std::int32_t item = itemAtRow(v, row);
    if (item == v->picked->caret()) return;
    v->picked->extendTo(item, (keys & MK_CONTROL) != 0);
    shown(v);
}

void movedByList(VLBox* v) {
    if (!v->picked || v->selItem < 0 || v->selItem == v->picked->caret()) return;
    v->picked->only(v->selItem);
    shown(v);
}

void selectOnly(VLBox* v) {
    if (!v->picked) return;
    if (v->selItem < 0) v->picked->clear();
    else v->picked->only(v->selItem);
    shown(v);
}

void mark(const VLBox* v, DRAWITEMSTRUCT* d) {
    if (!v->picked || static_cast<int>(d->itemID) < 0) return;
    if (v->picked->contains(itemAtRow(v, static_cast<int>(d->itemID)))) d->itemState |= ODS_SELECTED;
    else d->itemState &= ~static_cast<UINT>(ODS_SELECTED);
}

}  // namespace vlistPicking
