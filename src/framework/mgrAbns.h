// The about box: an icon, the program title, the version line and the
// identification line from the profile file (KELVID).
#pragma once

#include "framework/dialog.h"

class mgrAbns : public dlgMgr {
public:
    mgrAbns(const char* programTitle, const char* caption, const char* iconName);
    ~mgrAbns() override;

    INT_PTR onInitDialog() override;

    HICON hIcon = nullptr;
    char caption[100];
    char programTitle[100];
};
