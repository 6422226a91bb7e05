#include "app/vekMenu.h"

#include "app/busyRun.h"
#include "app/commands.h"
#include "app/resource.h"
#include "framework/app.h"

vekMenu::vekMenu() : menu("MAINMENU", 0), lastName("*") {}

void vekMenu::command(int group, int item) {
    if (busyRun::active()) return;  // one operation at a time
    if (group == IDM_FILE_GROUP) {
        switch (group + item) {
            case IDM_BOTH: bothCommand(*this); break;
            case IDM_EXPAND: expandCommand(*this); break;
            case IDM_COMPRESS: compressCommand(*this); break;
            case IDM_BROWSE: browseCommand(*this); break;
            case IDM_EXIT: quitApp(); break;
            default: break;
        }
    } else if (group + item == IDM_ABOUT) {
        aboutCommand(*this);
    }
}
