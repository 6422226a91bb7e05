// The File and Help commands that run a dialog and the engine, or show the
// about box.
#pragma once

#include <string>

class vekMenu;

void expandCommand(vekMenu& menu);
void compressCommand(vekMenu& menu);
void bothCommand(vekMenu& menu);
void browseCommand(vekMenu& menu);
void aboutCommand(vekMenu& menu);

// The Library window on path, its kind taken from its extension; an error
// box when path is no library or cannot be read.
void openLibraryWindow(const std::string& path);
