#include "framework/menu.h"

#include "framework/app.h"

menu::menu(const char* resourceName, std::int32_t) {
    hMenu = LoadMenuA(theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr), resourceName);
    itemCount = hMenu ? GetMenuItemCount(hMenu) : 0;
}

void menu::command(int, int) {}
