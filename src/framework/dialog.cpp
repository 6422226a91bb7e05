#include "framework/dialog.h"

#include <cstring>
#include <string>

#include "framework/app.h"
#include "framework/msgLoop.h"
#include "framework/vlist.h"
#include "framework/wnd.h"

dialogPair dialogTable[dialogTableSize] = {};

dialog::dialog(std::int32_t isModeless) : modeless(isModeless) {}
dialog::~dialog() = default;
dlgMgr::~dlgMgr() = default;

void dialog::run(HWND owner) {
    if (!owner && theMainWnd) owner = theMainWnd->hWndGet();
    const HINSTANCE instance = theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr);
    vlistRegister(instance);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (modeless == 1) {
        hWnd = CreateDialogParamA(instance, templateName, owner, dialogProc, self);
        result = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(hWnd));
        if (theMsgLoop) theMsgLoop->addModeless(hWnd);
    } else {
        DialogBoxParamA(instance, templateName, owner, dialogProc, self);
    }
}

INT_PTR dialog::onInitDialog() { return 0; }
void dialog::reserved3() {}
int dialog::reserved4() { return 1; }
LRESULT dialog::onVListRequest(UINT, WPARAM, LPARAM) { return -2; }
int dialog::doAction(int) { return 1; }
LRESULT dialog::onVKeyToItem(int, WPARAM) { return -1; }
LRESULT dialog::onDrawItem(WPARAM, LPARAM) { return 0; }
LRESULT dialog::onActivate() { return 0; }
LRESULT dialog::onMeasureItem(WPARAM, LPARAM) { return 0; }
LRESULT dialog::preCommand(int, WPARAM) { return -1; }

LRESULT dialog::onCommand(int id, WPARAM, LPARAM) {
    if (id == IDOK || id == IDCANCEL) {
        if (id == IDOK && doAction(IDOK) == 0) return 0;
        result = id;
        if (std::int32_t* position = getPosition()) getOrigin(&position[0], &position[1]);
        endDialog();
        return 1;
    }
    const int r = doAction(id);
    if (r == -1) {
        endDialog();
        return 1;
    }
    return r;
}

std::int32_t* dialog::getPosition() { return nullptr; }
void dialog::onDestroy() {}
void dialog::setTemplate(const char* name) { templateName = name; }
INT_PTR dialog::onOtherMessage(UINT, WPARAM, LPARAM) { return 0; }

int dialog::doModal(wnd* owner) {
    run(owner ? owner->hWndGet() : nullptr);
    return result;
}

int dialog::doModal(HWND owner) {
    run(owner);
    return result;
}

void dialog::endDialog() { EndDialog(hWnd, 1); }

void dialog::setItemFocus(int id) { SetFocus(GetDlgItem(hWnd, id)); }
void dialog::disableItem(int id) { EnableWindow(GetDlgItem(hWnd, id), FALSE); }

char* dialog::getItemText(int id, char* buffer, int size) {
    const UINT length = GetDlgItemTextA(hWnd, id, buffer, size - 1);
    buffer[length] = '\0';
    return buffer;
}

void dialog::setItemText(int id, const char* text) { SetDlgItemTextA(hWnd, id, text); }

void dialog::setCaption(const char* text) {
    if (text) SetWindowTextA(hWnd, text);
}

void dialog::checkItem(int id) { SendDlgItemMessageA(hWnd, id, BM_SETCHECK, 1, 0); }
int dialog::isItemChecked(int id) { return static_cast<int>(SendDlgItemMessageA(hWnd, id, BM_GETCHECK, 0, 0)); }
void dialog::selectAllText(int id) { SendDlgItemMessageA(hWnd, id, EM_SETSEL, 0, 0x7FFFFFFF); }

int dialog::getListSelText(int id, char* buffer) {
    const LRESULT index = SendDlgItemMessageA(hWnd, id, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return -1;
    SendDlgItemMessageA(hWnd, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return 1;
}

int dialog::selectListString(int id, const char* text) {
    const LRESULT index = SendDlgItemMessageA(hWnd, id, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text));
    if (index == LB_ERR) return -1;
    return static_cast<int>(SendDlgItemMessageA(hWnd, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0));
}

void dialog::setItemIcon(int id, HICON icon) {
    SendDlgItemMessageA(hWnd, id, 0x170, reinterpret_cast<WPARAM>(icon), 0);
}

// The pattern is joined as a string first: a folder, a typed name and an
// extension together may be longer than the buffer, and then the list
// cannot be filled (the caller's error box), rather than overflowing it.
int dialog::fillFileList(char* buffer, char* dir, char* name, const char* ext, int listId, int textId) {
    const bool plain = !std::strchr(name, '*') && !std::strchr(name, '?');
    const std::string pattern = std::string(dir) + (plain ? "*" : name) + ext;
    if (pattern.size() >= fileListBufferSize) return 0;
    std::memcpy(buffer, pattern.c_str(), pattern.size() + 1);
    if (!DlgDirListA(hWnd, buffer, listId, 0, 0)) return 0;
    setItemText(textId, plain ? (std::string(name) + ext).c_str() : buffer);
    return 1;
}

int dialog::fillDirList(char* buffer, char* dir, char* name, const char*, int listId, int pathId) {
    dir[0] = '\0';
    std::strcpy(name, "*");
    return DlgDirListA(hWnd, buffer, listId, pathId, DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY);
}

void dialog::getOrigin(std::int32_t* left, std::int32_t* top) {
    if (!left || !top) return;
    RECT r;
    GetWindowRect(hWnd, &r);
    *left = r.left;
    *top = r.top;
}

void dialog::moveTo(std::int32_t* left, std::int32_t* top) {
    RECT r;
    GetWindowRect(hWnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    if (*left + w / 2 < 0) *left = -w / 2;
    if (*left + w / 2 > screenW) *left = screenW - w / 2;
    if (*top + h / 2 < 0) *top = -h / 2;
    if (*top + h / 2 > screenH) *top = screenH - h / 2;
    MoveWindow(hWnd, *left, *top, w, h, FALSE);
}

BOOL changeDrive(int drive) {
    char root[3] = "a:";
    root[0] = static_cast<char>(root[0] + drive - 1);
    return SetCurrentDirectoryA(root);
}
