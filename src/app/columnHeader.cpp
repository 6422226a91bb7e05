#include "app/columnHeader.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "framework/vlist.h"

namespace {

// The list box draws its text a little inside its border.
constexpr int textInset = 2;
constexpr int lastColumnWidth = 2000;

}  // namespace

columnHeader::columnHeader(std::vector<const char*> names, std::vector<int> tabStops)
    : titles(std::move(names)), stops(std::move(tabStops)) {}

int columnHeader::pixels(int dialogUnits) const {
    RECT r{0, 0, dialogUnits, 0};
    MapDialogRect(dialog, &r);
    return r.right;
}

void columnHeader::attach(HWND dlg, int headerId, int listId) {
    dialog = dlg;
    header = GetDlgItem(dlg, headerId);
    list = GetDlgItem(dlg, listId);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int left = i == 0 ? 0 : pixels(stops[i - 1]) + textInset;
        const int right = i < stops.size() ? pixels(stops[i]) + textInset : left + lastColumnWidth;
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.cxy = right - left;
        item.pszText = const_cast<char*>(titles[i]);
        SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    setStops();
}

int columnHeader::height() const {
    RECT r{0, 0, 0, 11};
    MapDialogRect(dialog, &r);
    return r.bottom;
}

void columnHeader::setStops() {
    SendMessageA(list, VLB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
    InvalidateRect(list, nullptr, TRUE);
}

bool columnHeader::onNotify(LPARAM lParam) {
    const auto* note = reinterpret_cast<const NMHDR*>(lParam);
    if (!note || note->hwndFrom != header) return false;
    if (note->code != HDN_ITEMCHANGEDA && note->code != HDN_ITEMCHANGEDW) return true;
    stops = tabStops();
    setStops();
    return true;
}

// Each stop is where its column starts: the sum of the widths before it,
// back in dialog units (the list's own measure).
std::vector<int> columnHeader::tabStops() const {
    if (!header) return stops;
    std::vector<int> now(stops.size());
    const int unit = std::max(1, pixels(400));
    for (std::size_t i = 0; i < now.size(); ++i) {
        RECT item{};
        SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        const int right = item.right - textInset;
        now[i] = std::max(i == 0 ? 1 : now[i - 1] + 1, (right * 400 + unit / 2) / unit);  // rounded: stops read back unmoved
    }
    return now;
}

void columnHeader::drawRow(const DRAWITEMSTRUCT& row) const {
    const bool selected = (row.itemState & ODS_SELECTED) != 0;
    if (static_cast<int>(row.itemID) >= 0 && (row.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        std::string text(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageA(row.hwndItem, LB_GETTEXTLEN, row.itemID, 0))), '\0');
        SendMessageA(row.hwndItem, LB_GETTEXT, row.itemID, reinterpret_cast<LPARAM>(&text[0]));
        FillRect(row.hDC, &row.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(row.hDC, TRANSPARENT);
        SetTextColor(row.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        std::vector<int> at(stops.size());
        for (std::size_t i = 0; i < stops.size(); ++i) at[i] = pixels(stops[i]);
        const int x = row.rcItem.left + textInset;
        TabbedTextOutA(row.hDC, x, row.rcItem.top, text.c_str(), static_cast<int>(text.size()), static_cast<int>(at.size()),
                       at.data(), x);
    }
    // The focus rectangle is drawn by inverting: a focus change alone flips
    // it, a row drawn anew gets it when it has the focus.
    if (row.itemAction == ODA_FOCUS || (row.itemState & ODS_FOCUS)) DrawFocusRect(row.hDC, &row.rcItem);
}
