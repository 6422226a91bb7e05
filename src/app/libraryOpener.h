// Libraries opened from outside the program: named on its command line
// (as Explorer's Open does), handed over by a second start while a copy
// runs, or dropped on the main window. Each opens in the Library window in
// turn, once no command or dialog holds the window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The library the command line names: its first word that is neither one of
// the program's options ("-i FILE", "-ps VALUE"; "/" as well as "-", any
// letter case, the value attached or the next word) nor an option's value.
// Double quotes group blanks into a word, as Explorer quotes a path. Empty
// when there is none.
std::string libraryArgument(const char* commandLine);

// Gives path, made absolute here, to the running copy whose main window is
// running; true when that copy took it.
bool handOverLibrary(HWND running, const std::string& path);

// A hand-over (WM_COPYDATA) or a drop (WM_DROPFILES) on the main window:
// queues the libraries it names and answers it. False for any other message.
bool takeLibraryMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The files of a drop (WM_DROPFILES's wParam), in their order; the drop is
// finished.
std::vector<std::string> droppedFiles(WPARAM wParam);

// Queues path; the queue is opened as soon as the main window is free.
void openLibraryLater(const std::string& path);

// Forgets what waits, at the end of the program.
void dropQueuedLibraries();

// Opens one queued library; tests replace it, the program opens the Library
// window.
using libraryOpener = void (*)(const std::string& path);
libraryOpener setLibraryOpener(libraryOpener opener);
