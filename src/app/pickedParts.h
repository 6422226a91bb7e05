// The parts selected in the Library window's list, by name: what Extract
// and Delete act on, and what is selected again when the rows are read anew
// (after a change, here or outside), wherever those names now stand.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/ops/libraryBrowser.h"

class pickedParts {
public:
    // The list's selection now; without extended selection, its one item.
    pickedParts(HWND list, const libraryBrowser& view);

    // Each selected name once, in library order.
    const std::vector<std::string>& names() const { return picked; }
    long long rows() const { return rowCount; }

    // How many rows are selected (cheap: the ranges are counted).
    static long long rowsIn(HWND list);

    // Selects again every row whose name was selected, the caret on the
    // row of the name it was on (its first row). false, nothing changed,
    // when that name is gone.
    bool selectAgain(HWND list, const libraryBrowser& view) const;

private:
    std::vector<std::string> picked;
    std::string caretName;
    long long rowCount = 0;
};
