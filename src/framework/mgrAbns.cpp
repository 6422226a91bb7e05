#include "framework/mgrAbns.h"

#include <cstring>

#include "framework/app.h"
#include "framework/dialogIds.h"
#include "support/assertion.h"
#include "support/cfman.h"
#include "support/miscfuns.h"

namespace {

const char* const moduleName = "DLGMGR\\SRC\\MGRABNS";

}  // namespace

mgrAbns::mgrAbns(const char* title, const char* captionText, const char* iconName)
    : dlgMgr(0), caption{}, programTitle{} {
    if (!title) runtimeAssertFail("programTitle", moduleName, __LINE__);
    if (!captionText) runtimeAssertFail("caption", moduleName, __LINE__);
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
    setItemText(IDC_ABOUT_TITLE, programTitle);
    setItemText(IDC_ABOUT_VERSION, "Version 6.3 - April 1996");
    if (!kelvIdItem.value[0]) {
        setItemText(IDC_ABOUT_SITE_LABEL, "");
        setItemText(IDC_ABOUT_SITE_ID, "");
    } else {
        setItemText(IDC_ABOUT_SITE_ID, kelvIdItem.value);
    }
    if (hIcon) setItemIcon(IDC_ABOUT_ICON, hIcon);
    return 0;
}
