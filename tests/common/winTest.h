// Helpers for tests of the Windows program (Windows only).
#pragma once

#include <windows.h>

#include <string>
#include <thread>

// The application object and environment that windows and dialogs need.
void useTestApp();

// The text of a message box: its Static child, waiting up to five seconds
// for it (a box can be found before its text is in place).
std::string messageBoxText(HWND box);

// What a helper thread saw of the message box it answered.
struct seenBox {
    bool found = false;
    std::string caption;
    std::string text;
};

// Starts a thread that waits up to ten seconds for a message box (with that
// caption, or any when null), reads it and presses button, as a person would.
std::thread answerBox(const char* caption, int button, seenBox& seen);
