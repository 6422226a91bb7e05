#include "app/vekMenu.h"

#include "framework/app.h"

vekCommandHooks vekCommands;

vekMenu::vekMenu() : menu("MAINMENU", 0), lastName("*") {}

void vekMenu::command(int group, int item) {
    void (*run)(vekMenu&) = nullptr;
    if (group == 4096) {
        switch (item) {
            case 1: run = vekCommands.both; break;
            case 2: run = vekCommands.expand; break;
            case 3: run = vekCommands.compress; break;
            case 4: quitApp(); return;
            default: return;
        }
    } else if (group == 5888 && item == 1) {
        run = vekCommands.about;
    }
    if (run) run(*this);
}
