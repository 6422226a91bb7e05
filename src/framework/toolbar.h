// The toolbar lookups the message loop and the window procedure use. This
// program creates no toolbar, so the table stays empty and they find nothing.
#pragma once

#include <windows.h>

#include <cstdint>

struct toolbarCtrl {
    std::int32_t kind;
    std::int32_t commandId;
};

class toolbar {
public:
    virtual ~toolbar() = default;
    virtual void reserved() {}
    virtual void command(int id, int notification, LPARAM control) = 0;

    const toolbarCtrl* findCtrl(int id) const;
    int ownsWindow(HWND hWnd) const;
    HWND hWndGet() const { return hWnd; }

    HWND hWnd = nullptr;
    toolbarCtrl* ctrls = nullptr;
    int nCtrls = 0;
    HWND* childWindows = nullptr;
    int nChildWindows = 0;
};

constexpr int toolbarTableSize = 4;
extern toolbar* toolbarTable[toolbarTableSize];

int isToolbarWindow(HWND hWnd);
void routeToolbarCommand(WPARAM wParam, LPARAM lParam);
