#include "framework/mgrAbns.h"

#include <cstring>

#include "framework/app.h"
#include "support/assertion.h"
#include "support/cfman.h"
#include "support/miscfuns.h"

mgrAbns::mgrAbns(const char* title, const char* captionText, const char* iconName)
    : dlgMgr(0), caption{}, programTitle{} {
    vekRequire(title);
    vekRequire(captionText);
    strCopyCut(programTitle, title, sizeof programTitle);
    strCopyCut(caption, captionText, sizeof caption);
    if (iconName) hIcon = LoadIconA(theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr), iconName);
    setTemplate("DLGABNS");
}

mgrAbns::~mgrAbns() {
    if (hIcon) DestroyIcon(hIcon);
}

INT_PTR mgrAbns::onInitDialog() {
    setCaption(caption);
    setItemText(601, programTitle);
    setItemText(602, "Version 6.3 - April 1996");
    if (!kelvIdItem.value[0]) {
        setItemText(603, "");
        setItemText(604, "");
    } else {
        setItemText(604, kelvIdItem.value);
    }
    if (hIcon) setItemIcon(1001, hIcon);
    return 0;
}
