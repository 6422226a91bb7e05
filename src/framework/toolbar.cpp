#include "framework/toolbar.h"

#include "support/assertion.h"

toolbar* toolbarTable[toolbarTableSize] = {};

const toolbarCtrl* toolbar::findCtrl(int id) const {
    if (!ctrls) assertFail("ctrls", "GUI\\SRCPC\\TOOLBAR", 928);
    if (!ctrls) return nullptr;
    for (int i = 0; i < nCtrls; ++i) {
        if (ctrls[i].commandId == id) return &ctrls[i];
    }
    return nullptr;
}

int toolbar::ownsWindow(HWND h) const {
    if (!childWindows) assertFail("childWindows != 0", "GUI\\SRCPC\\TOOLBAR", 1802);
    if (!childWindows) return 0;
    const HWND parent = GetParent(h);
    for (int i = 0; i < nChildWindows; ++i) {
        if (childWindows[i] == h || childWindows[i] == parent) return 1;
    }
    return 0;
}

int isToolbarWindow(HWND hWnd) {
    for (int i = 0; i < toolbarTableSize && toolbarTable[i]; ++i) {
        if (toolbarTable[i]->ownsWindow(hWnd)) return 1;
    }
    return 0;
}

void routeToolbarCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    for (int i = 0; i < toolbarTableSize && toolbarTable[i]; ++i) {
        toolbar* tb = toolbarTable[i];
        if (!(tb && IsWindow(tb->hWndGet()))) assertFail("tb && IsWindow(tb->hWndGet())", "GUI\\SRCPC\\WND", 1630);
        if (tb->findCtrl(id)) {
            tb->command(id, HIWORD(wParam), lParam);
            return;
        }
    }
}
