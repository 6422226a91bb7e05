// Helpers for tests of the Windows program (Windows only).
#pragma once

#include <windows.h>

#include <string>

// The application object and environment that windows and dialogs need.
void useTestApp();

// The text of a message box: its Static child, waiting up to five seconds
// for it (a box can be found before its text is in place).
std::string messageBoxText(HWND box);
