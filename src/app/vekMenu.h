// The main window's menu object: dispatches the File and Help commands.
#pragma once

#include "framework/menu.h"

// The commands that run a dialog and the engine (Expand, Compress, Both) and
// the about box. Until they exist the entries are null and the items do
// nothing.
struct vekCommandHooks {
    void (*expand)(class vekMenu& menu) = nullptr;
    void (*compress)(class vekMenu& menu) = nullptr;
    void (*both)(class vekMenu& menu) = nullptr;
    void (*about)(class vekMenu& menu) = nullptr;
};
extern vekCommandHooks vekCommands;

class vekMenu : public menu {
public:
    vekMenu();
    void command(int group, int item) override;

    char lastName[100];
};
