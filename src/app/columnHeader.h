// The column headers above the Library window's list: one item per column
// of its rows, each as wide as the list's tab stops make it. Dragging a
// divider moves the list's tab stop with it, so the rows follow the titles.
#pragma once

#include <windows.h>

#include <vector>

class columnHeader {
public:
    // stops: the list's tab stops in dialog units, one fewer than titles.
    columnHeader(std::vector<const char*> titles, std::vector<int> stops);

    // Where the columns after the first start, in dialog units, as the
    // header's items stand now; useStops (before attach) starts them where a
    // user left them.
    std::vector<int> tabStops() const;
    void useStops(const std::vector<int>& saved) {
        if (saved.size() == stops.size()) stops = saved;
    }

    // Fills the header control of the dialog and sets the list's stops.
    void attach(HWND dialog, int headerId, int listId);
    // The header's height in pixels, for the dialog's layout.
    int height() const;
    // Draws a row of the (owner-drawn) list: its text with the columns
    // where the titles are, selected or not as the list says.
    void drawRow(const DRAWITEMSTRUCT& row) const;
    // A header notification: true when it was this header's.
    bool onNotify(LPARAM lParam);

private:
    int pixels(int dialogUnits) const;
    void setStops();

    std::vector<const char*> titles;
    std::vector<int> stops;
    HWND dialog = nullptr, header = nullptr, list = nullptr;
};
