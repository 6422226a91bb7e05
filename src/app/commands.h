// The File and Help commands that run a dialog and the engine, or show the
// about box.
#pragma once

class vekMenu;

void expandCommand(vekMenu& menu);
void compressCommand(vekMenu& menu);
void bothCommand(vekMenu& menu);
void browseCommand(vekMenu& menu);
void aboutCommand(vekMenu& menu);
