#include "framework/ctl3d.h"

namespace ctl3d {

bool registerApp(HINSTANCE) { return false; }
bool autoSubclass(HINSTANCE) { return false; }
HBRUSH colorAnswer(UINT, WPARAM, LPARAM) { return nullptr; }
bool subclassCtl(HWND) { return false; }
void unregisterApp(HINSTANCE) {}

}  // namespace ctl3d
