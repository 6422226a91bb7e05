// The shared dialog procedure: finds each dialog's object in dialogTable and
// turns its messages into calls of the object's virtual operations.
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/dialogIds.h"
#include "framework/msgLoop.h"
#include "framework/procGuard.h"
#include "framework/vlist.h"
#include "support/assertion.h"

namespace {

const char* const moduleName = "GUI\\SRCPC\\DIALOG";

dialog* findObject(HWND hDlg) {
    for (const dialogPair& pair : dialogTable) {
        if (pair.hWnd == hDlg) return pair.object;
    }
    return nullptr;
}

void storePair(dialog* object, HWND hDlg) {
    for (dialogPair& pair : dialogTable) {
        if (!pair.hWnd) {
            pair = {object, hDlg};
            return;
        }
    }
}

void removePair(HWND hDlg) {
    for (dialogPair& pair : dialogTable) {
        if (pair.hWnd == hDlg) pair = {nullptr, nullptr};
    }
}

INT_PTR onInit(HWND hDlg, LPARAM lParam) {
    auto* object = reinterpret_cast<dialog*>(lParam);
    storePair(object, hDlg);
    object->hWnd = hDlg;
    if (HWND help = GetDlgItem(hDlg, IDC_HELP_BUTTON)) EnableWindow(help, FALSE);
    if (std::int32_t* position = object->getPosition()) {
        if (position[0] > -30000) object->moveTo(&position[0], &position[1]);
    }
    return object->onInitDialog();
}

bool isVListMessage(UINT m) {
    return m == VLB_GETTEXT || m == VLB_SELECTSTRING || m == VLB_FINDSTRING || m == VLB_GETITEMDATA ||
           m == VLB_LOCATESTRING || (m >= VLBR_FINDSTRING && m <= VLBR_GETTEXT) ||
           (m >= VLBR_FIRST && m <= VLBR_FINDPERCENT) || m == VLBN_ITEMGONE || m == VLBN_CLEARED;
}

// A VList request that the dialog object declined goes to the control's
// built-in item source.
INT_PTR onVList(dialog* object, HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = object->onVListRequest(message, wParam, lParam);
    if (r != -2) return r;
    int id = 0;
    auto* request = reinterpret_cast<VLBStruct*>(lParam);
    if (message == VLBN_ITEMGONE || message == VLBN_CLEARED) {
        id = static_cast<int>(wParam);
    } else if (!request) {
        assertFail("lpvlbInStruct != 0", moduleName, 2172);
        return 0;
    } else {
        id = request->ctlId;
    }
    const LONG_PTR state = GetWindowLongPtrA(GetDlgItem(hDlg, id), 0);
    if (state == 0 || state == -1) {
        assertFail("pVLBox != 0 && (int) pVLBox != -1", moduleName, 2183);
        return 0;
    }
    if (message == VLBN_ITEMGONE || message == VLBN_CLEARED) return 0;
    return vlistBuiltInSource(reinterpret_cast<VLBox*>(state), message, request);
}

}  // namespace

static INT_PTR handleDialogMessage(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInit(hDlg, lParam);
    // WM_NCDESTROY comes after WM_DESTROY has taken the dialog's pair out of
    // the table, so it is handled before the lookup: every dialog window
    // gives back its use of the VList class.
    if (message == WM_NCDESTROY) {
        vlistUnregister(theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr));
        return 0;
    }
    dialog* object = findObject(hDlg);
    if (!object) return 0;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const LRESULT r = object->preCommand(id, wParam);
            return r != -1 ? r : object->onCommand(id, HIWORD(wParam), lParam);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            return object->onCommand(GetWindowLongA(reinterpret_cast<HWND>(lParam), GWL_ID), wParam, lParam);
        case WM_ACTIVATE:
            return (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) ? object->onActivate() : 0;
        case WM_SETFOCUS: return wParam ? object->onActivate() : 0;
        case WM_DRAWITEM: return object->onDrawItem(wParam, lParam);
        case WM_MEASUREITEM: return object->onMeasureItem(wParam, lParam);
        case WM_VKEYTOITEM: return object->onVKeyToItem(LOWORD(wParam), wParam);
        case WM_CLOSE:
            if (object->modeless == 1) DestroyWindow(hDlg);
            return 0;
        case WM_DESTROY:
            if (object->modeless == 1 && theMsgLoop) theMsgLoop->removeModeless(hDlg);
            removePair(hDlg);
            object->onDestroy();
            return 1;
        case helpRequest: return 0;
        default: break;
    }
    if (isVListMessage(message)) return onVList(object, hDlg, message, wParam, lParam);
    return object->onOtherMessage(message, wParam, lParam);
}

INT_PTR CALLBACK dialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedCall<INT_PTR>("dialogProc", message, 0, [&] { return handleDialogMessage(hDlg, message, wParam, lParam); });
}
