// The Win32s thunk: on Win32s (Windows 3.x) the drive change goes through
// the 16-bit companion library "kelv16.dll"; on every other Windows nothing
// is loaded and the drive change is the runtime's own.
#pragma once

#include <windows.h>

int thunkInit(HINSTANCE hInst);
void thunkExit();
int thunkChangeDrive(int drive);
