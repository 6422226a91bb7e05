// A menu loaded from the program's resources; the window that carries it
// destroys it.
#pragma once

#include <windows.h>

#include <cstdint>

class menu {
public:
    menu(const char* resourceName, std::int32_t unused);
    virtual ~menu() = default;
    menu(const menu&) = delete;
    menu& operator=(const menu&) = delete;

    virtual void command(int group, int item);

    HMENU hMenu = nullptr;
    std::int32_t itemCount = 0;
};
