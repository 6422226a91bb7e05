// The three-dimensional control look is not built: this stand-in refuses
// the registration (so appEnv::ctl3d is 0) and answers no colour message,
// which leaves every control to draw itself.
#pragma once

#include <windows.h>

namespace ctl3d {

bool registerApp(HINSTANCE hInstance);
bool autoSubclass(HINSTANCE hInstance);
HBRUSH colorAnswer(UINT message, WPARAM wParam, LPARAM lParam);
bool subclassCtl(HWND control);
void unregisterApp(HINSTANCE hInstance);

}  // namespace ctl3d
