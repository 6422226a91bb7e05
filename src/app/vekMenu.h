// The main window's menu object: dispatches the File and Help commands.
#pragma once

#include "framework/menu.h"

class vekMenu : public menu {
public:
    vekMenu();
    void command(int group, int item) override;

    // The base name chosen in the last command dialog, offered by the next.
    char lastName[100];
};
