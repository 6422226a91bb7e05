// The Library window's size, whether it is maximised, and where its columns
// start live in the profile file under keys of their own ("LIBRARY":
// width, height, zoomed, columns), as the main window's placement does
// under "BORDER". Its position is the system's choice each time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// The column stops saved (dialog units, rising), when there are count of
// them; empty otherwise.
std::vector<int> savedColumnStops(std::size_t count);

// Gives the dialog its saved size (never below minimum, never beyond the
// screen) and maximises it when it was.
void restoreLibraryPlacement(HWND dialog, SIZE minimum);

// Saves the dialog's size (unless it is maximised or minimised: then only
// that) and the column stops.
void saveLibraryPlacement(HWND dialog, const std::vector<int>& stops);
