#include "app/libraryDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/busyRun.h"
#include "app/libraryOpener.h"
#include "app/libraryPlacement.h"
#include "app/mgrPick.h"
#include "app/pickedParts.h"
#include "app/resource.h"
#include "app/vekWnd.h"
#include "engine/ops/inspect.h"
#include "engine/ops/parts.h"
#include "engine/ops/repair.h"
#include "framework/app.h"
#include "support/fileOps.h"

namespace {

// Ctrl+F searches the parts' texts, F3 goes to the next part found: the
// command of such a key, 0 for any other.
int textSearchKey(WPARAM key) {
    if (key == VK_F3) return IDC_LIB_FIND_NEXT;
    return key == 'F' && GetKeyState(VK_CONTROL) < 0 ? IDC_LIB_FIND_TEXT : 0;
}

// The find field hands Ctrl+F and F3 to the window (and keeps Ctrl+F's
// character out of its text).
LRESULT CALLBACK findFieldKeys(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN && textSearchKey(wParam) != 0) {
        PostMessageA(GetParent(field), WM_COMMAND, static_cast<WPARAM>(textSearchKey(wParam)), 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == 6) return 0;  // Ctrl+F
    return DefSubclassProc(field, message, wParam, lParam);
}

constexpr UINT_PTR checksumTimer = 1;
constexpr std::size_t checksumSlice = 4 << 20;  // bytes a timer tick checks
// How often the folder's change notification is looked at: a change made
// outside shows within this time.
constexpr UINT_PTR watchTimer = 2;
constexpr UINT_PTR editTimer = 3;  // looks for a part file saved in the editor
constexpr UINT editEvery = 500;    // ms
constexpr SIZE minimumSize = {360, 240};  // pixels: every control still usable
constexpr UINT watchEvery = 50;  // ms

// An edit control breaks lines at CR LF only.
std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Rows drawn by the window (selected as the list's extended selection has
// them), one line of the dialog's font each.
void pickAndDrawRows(HWND list) {
    HDC dc = GetDC(list);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageA(list, VLB_SETEXTENDEDSEL, TRUE, 0);
    SendMessageA(list, VLB_SETITEMHEIGHT, 0, std::max<LONG>(1, tm.tmHeight));
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);  // lays the lines out anew
}

void clearMainLog() {
    if (theVekWnd) theVekWnd->clearLog();
}

// Where a repair of the library goes: beside it, "-repaired" after its
// name, numbered past any such file there already.
std::string repairedPath(const std::string& library) {
    const std::size_t slash = library.find_last_of("\\/");
    const std::size_t dot = library.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? library.substr(0, dot) : library;
    const std::string ext = hasExt ? library.substr(dot) : "";
    std::string path = stem + "-repaired" + ext;
    for (int n = 2; fileOps::exists(path); ++n) path = stem + "-repaired" + std::to_string(n) + ext;
    return path;
}

}  // namespace

libraryDlg::libraryDlg(const libKind& k, std::string libraryPath, logSink& sink)
    : dlgMgr(0),
      kind(k),
      path(std::move(libraryPath)),
      log(sink),
      columns({"Name", "Position", "Length", "Extra text"}, {84, 118, 152}) {  // stops in dialog units
    setTemplate("DLGLIBRARY");
}

bool libraryDlg::load() {
    checksum = libraryBrowser::checksumState::pending;
    return view.open(kind, path, log);
}

INT_PTR libraryDlg::onInitDialog() {
    setCaption(("Library - " + path).c_str());
    columns.useStops(savedColumnStops(columns.tabStops().size()));
    columns.attach(hWnd, IDC_LIB_HEADER, IDC_LIB_LIST);
    pickAndDrawRows(GetDlgItem(hWnd, IDC_LIB_LIST));
    restoreLibraryPlacement(hWnd, minimumSize);
    DragAcceptFiles(hWnd, TRUE);  // part files dropped here are added
    SetWindowSubclass(GetDlgItem(hWnd, IDC_LIB_FIND), findFieldKeys, 1, 0);
    SetTimer(hWnd, editTimer, editEvery, nullptr);
    RECT client;
    GetClientRect(hWnd, &client);
    layout(client.right, client.bottom);
    SendDlgItemMessageA(hWnd, IDC_LIB_LIST, VLB_INITIALIZE, 0, 0);
    select(0);
    SetTimer(hWnd, checksumTimer, 0, nullptr);
    watch();
    setItemFocus(IDC_LIB_FIND);
    return 0;
}

// The owner's side of the list: items are index entries, by their place.
LRESULT libraryDlg::onVListRequest(UINT message, WPARAM, LPARAM lParam) {
    if (message == VLBN_ITEMGONE || message == VLBN_CLEARED) return 1;
    auto* request = reinterpret_cast<VLBStruct*>(lParam);
    if (!request || request->ctlId != IDC_LIB_LIST) return -2;
    return answer(message, *request);
}

LRESULT libraryDlg::answer(UINT message, VLBStruct& r) {
    const auto n = static_cast<long long>(view.count());
    long long item = r.index;
    switch (message) {
        case VLBR_GETCOUNT:
            r.index = static_cast<std::int32_t>(n);
            r.status = 0;
            return 1;
        case VLBR_FIRST: item = 0; break;
        case VLBR_LAST: item = n - 1; break;
        case VLBR_NEXT: ++item; break;
        case VLBR_PREV: --item; break;
        case VLBR_FINDPERCENT: item = r.index >= 100 ? n - 1 : r.index * n / 100; break;
        case VLBR_FINDSTRING:
        case VLBR_SELECTSTRING:
        case VLBR_FINDSTRING2:
            item = r.lpSearchText ? view.find(r.lpSearchText, static_cast<std::size_t>(std::max(0, r.index))) : -1;
            break;
        default: break;
    }
    if (item < 0 || item >= n) {
        r.status = -1;
        return 1;
    }
    rowText = view.row(static_cast<std::size_t>(item));
    r.index = r.data = static_cast<std::int32_t>(item);
    r.lpTextPointer = rowText.data();
    r.status = 0;
    if (message == VLBR_GETTEXTLEN) SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(rowText.size()));
    return 1;
}

// Delete and F2 do what the Delete and Rename buttons do, Ctrl+F and F3
// find in the texts; every other key is the list's own.
LRESULT libraryDlg::onVKeyToItem(int key, WPARAM) {
    int command = key == VK_DELETE ? IDC_LIB_DELETE : key == VK_F2 ? IDC_LIB_RENAME : 0;
    if (command == 0) command = textSearchKey(static_cast<WPARAM>(key));
    if (command == 0) return -1;
    PostMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
    return -2;
}

LRESULT libraryDlg::onCommand(int id, WPARAM code, LPARAM) {
    if (busy) {  // closing asks the change to stop; nothing else starts
        if (id == IDCANCEL) busyRun::requestStop();
        return 1;
    }
    switch (id) {
        case IDC_LIB_LIST:
            if (code == LBN_SELCHANGE) showSelected();
            return 1;
        case IDC_LIB_FIND:
            if (code == EN_CHANGE) find(false);
            return 1;
        case IDC_LIB_NAME_EDIT:
            if (code == EN_KILLFOCUS) endRename(false);
            return 1;
        case IDOK:  // Enter: the name being edited, the next match in the find field, the part in the list
            if (renaming) {
                endRename(true);
            } else if (GetFocus() == GetDlgItem(hWnd, IDC_LIB_FIND)) {
                find(true);
            } else {
                startEdit();
            }
            return 1;
        case IDC_LIB_EDIT: startEdit(); return 1;
        case IDC_LIB_EXTRACT: extract(); return 1;
        case IDC_LIB_ADD: add(); return 1;
        case IDC_LIB_DELETE: remove(); return 1;
        case IDC_LIB_VERIFY: verify(); return 1;
        case IDC_LIB_RENAME: startRename(); return 1;
        case IDC_LIB_FIND_TEXT: findInText(); return 1;
        case IDC_LIB_FIND_NEXT: nextFound(); return 1;
        case IDCANCEL:
            if (renaming) {  // Esc ends the editing of a name, not the window
                endRename(false);
                return 1;
            }
            if (search.running()) {  // and a search in the texts, not the window
                search.stop();
                note = "; finding in the texts stopped";
                showStatus();
                return 1;
            }
            KillTimer(hWnd, checksumTimer);
            KillTimer(hWnd, editTimer);
            stopWatching();
            saveLibraryPlacement(hWnd, columns.tabStops());
            result = 2;
            endDialog();
            return 1;
        default: return 0;
    }
}

LRESULT libraryDlg::onDrawItem(WPARAM, LPARAM lParam) {
    const auto* row = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!row || row->CtlID != IDC_LIB_LIST) return 0;
    columns.drawRow(*row);
    return 1;
}

INT_PTR libraryDlg::onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        layout(LOWORD(lParam), HIWORD(lParam));
    } else if (message == WM_NOTIFY) {
        return columns.onNotify(lParam) ? 1 : 0;
    } else if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {minimumSize.cx, minimumSize.cy};
    } else if (message == textSearch::progressMessage && search.running()) {
        note = "; finding \"" + searchedFor + "\" in the texts: " + std::to_string(wParam) + " of " +
               std::to_string(view.count()) + " parts (Esc stops)";
        showStatus();
    } else if (message == textSearch::doneMessage && search.running()) {
        foundInText();
    } else if (message == WM_DROPFILES) {
        const std::vector<std::string> files = droppedFiles(wParam);
        if (busy || files.empty()) return 1;
        clearMainLog();
        change("Add", [&](const runControl* control) { return addParts(kind, path, files, log, control); });
    } else if (message == WM_TIMER && wParam == editTimer) {
        if (busy || renaming || asking) return 1;
        if (partEditor::edit* changed = editor.nextSaved()) askToPutIn(*changed);
    } else if (message == WM_TIMER && wParam == watchTimer) {
        if (!busy && folderChanged() && !view.unchanged()) reloadChanged();
    } else if (message == WM_TIMER && wParam == checksumTimer && !busy) {  // one may be queued still
        const std::size_t marked = view.conflicts();
        checksum = view.checkStep(checksumSlice);
        if (view.changedOutside()) return reloadChanged(), 1;
        if (checksum != libraryBrowser::checksumState::pending) KillTimer(hWnd, checksumTimer);
        if (view.conflicts() != marked) showRowsAgain();
        showStatus();
    } else {
        return 0;
    }
    return 1;
}

int libraryDlg::selected() const {
    return static_cast<int>(SendDlgItemMessageA(hWnd, IDC_LIB_LIST, VLB_GETCURSEL, 0, 0));
}

void libraryDlg::select(int item) {
    const int last = static_cast<int>(view.count()) - 1;
    if (last >= 0) SendDlgItemMessageA(hWnd, IDC_LIB_LIST, VLB_SETCURSEL, VLBR_FINDPOS, std::min(item, last));
    showSelected();
}

void libraryDlg::showSelected() {
    const int item = selected();
    std::string text;
    bool scanned = false;
    note.clear();
    if (item >= 0) {
        const auto i = static_cast<std::size_t>(item);
        const std::string name(view.entry(i).name());
        if (view.text(i, text, scanned)) {
            if (scanned) note = "; " + name + " is not where the index says, found by a scan";
        } else if (!view.changedOutside()) {
            note = "; no part " + name + " in the library";
        } else if (!reloading) {
            reloadChanged();
            return;
        }
    }
    setItemText(IDC_LIB_TEXT, withCrLf(text).c_str());
    showStatus();
}

void libraryDlg::showStatus() {
    using state = libraryBrowser::checksumState;
    const std::size_t n = view.count();
    std::string status = std::to_string(n) + (n == 1 ? " part, " : " parts, ");
    status += checksum == state::pending   ? "checking the checksum..."
              : checksum == state::matches ? "checksum OK"
              : checksum == state::differs ? "checksum does not match the data"
                                           : "no checksum in the version line";
    if (const std::size_t marked = view.conflicts()) {
        status += "; " + std::to_string(marked) + " part(s) with conflict markers (Verify lists them)";
    }
    const long long picked = pickedParts::rowsIn(GetDlgItem(hWnd, IDC_LIB_LIST));
    if (picked > 1) status += "; " + std::to_string(picked) + " selected";
    setItemText(IDC_LIB_STATUS, (status + note).c_str());
}

// Typing selects the first entry from the top whose name word begins with
// the text; Enter the next one after the selection.
void libraryDlg::find(bool next) {
    char text[301] = "";
    getItemText(IDC_LIB_FIND, text, sizeof text);
    if (!*text) return;
    VLBStruct request{};
    request.ctlId = IDC_LIB_LIST;
    request.index = next ? selected() + 1 : 0;
    request.lpSearchText = text;
    if (SendDlgItemMessageA(hWnd, IDC_LIB_LIST, VLB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(&request)) < 0) {
        MessageBeep(MB_OK);
        return;
    }
    showSelected();
}

// The find row keeps its place; the list and the text share the rest above
// the status line and the buttons, half each.
void libraryDlg::layout(int width, int height) {
    RECT u{4, 20, 44, 14};  // margin, top of the list, button width and height
    MapDialogRect(hWnd, &u);
    RECT line{0, 0, 0, 10};
    MapDialogRect(hWnd, &line);
    const int m = u.left, top = u.top, buttonWidth = u.right, buttonHeight = u.bottom, lineHeight = line.bottom;
    const int buttonsTop = height - m - buttonHeight, statusTop = buttonsTop - m / 2 - lineHeight;
    const int body = std::max(0, statusTop - m / 2 - top), listWidth = std::max(0, (width - 3 * m) / 2);
    const int headerHeight = std::min(body, columns.height());
    place(IDC_LIB_HEADER, m, top, listWidth, headerHeight);
    place(IDC_LIB_LIST, m, top + headerHeight, listWidth, body - headerHeight);
    place(IDC_LIB_TEXT, 2 * m + listWidth, top, std::max(0, width - 3 * m - listWidth), body);
    place(IDC_LIB_STATUS, m, statusTop, std::max(0, width - 2 * m), lineHeight);
    int x = m;
    for (int id : {IDC_LIB_EXTRACT, IDC_LIB_ADD, IDC_LIB_DELETE, IDC_LIB_VERIFY, IDC_LIB_RENAME, IDC_LIB_EDIT}) {
        place(id, x, buttonsTop, buttonWidth, buttonHeight);
        x += buttonWidth + m;
    }
    place(IDCANCEL, width - m - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    InvalidateRect(hWnd, nullptr, TRUE);
}

void libraryDlg::place(int id, int x, int y, int width, int height) const {
    SetWindowPos(GetDlgItem(hWnd, id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lets go of the library, runs the change (done when it was written) with its
// progress in the status line and Esc to stop it, and shows the library as
// it is now, the selection kept where it can be. A change that failed or
// was stopped has left the library as it was.
template <typename Change>
void libraryDlg::change(const char* what, Change run) {
    search.stop();
    found.clear();
    if (stale()) return;
    const int item = selected();
    const pickedParts picked(GetDlgItem(hWnd, IDC_LIB_LIST), view);
    KillTimer(hWnd, checksumTimer);
    view.close();
    opResult outcome = opResult::done;
    busy = true;
    {
        busyRun running(what, GetDlgItem(hWnd, IDC_LIB_STATUS));
        // A damaged library is not rewritten from here: that would make its
        // damage permanent.
        runControl guarded = running.control();
        guarded.refuseDamage = true;
        outcome = run(&guarded);
    }
    busy = false;
    if (outcome == opResult::damaged) errorBox(IDS_LIB_DAMAGED, 0, path.c_str());
    else if (outcome == opResult::failed) errorBox(IDS_LIB_UNCHANGED, 0, path.c_str());
    reload(item, &picked);
}

// The rows a command was started on no longer match the file: the command is
// refused with a box, and the window shows the library as it is now.
bool libraryDlg::stale() {
    if (view.unchanged() && !view.changedOutside()) return false;
    errorBox(IDS_LIB_CHANGED_OUTSIDE, 0, path.c_str());
    reloadChanged();
    return true;
}

// After a change outside the window: the rows as the file has them now, the
// selection kept by name where that name is still there, and a word in the
// status line.
void libraryDlg::reloadChanged() {
    const int item = selected();
    const pickedParts picked(GetDlgItem(hWnd, IDC_LIB_LIST), view);
    KillTimer(hWnd, checksumTimer);
    search.stop();
    found.clear();
    reloading = true;
    reload(std::max(item, 0), &picked);
    reloading = false;
    note = "; reloaded: the library was changed outside this window";
    showStatus();
}

// A change notification on the library's folder: cheap to look at, and
// only when it fires is the file itself compared with the rows.
void libraryDlg::watch() {
    stopWatching();
    const std::string folder = fileOps::dirOf(path);
    watched = FindFirstChangeNotificationA(folder.c_str(), FALSE,
                                           FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                               FILE_NOTIFY_CHANGE_LAST_WRITE);
    SetTimer(hWnd, watchTimer, watchEvery, nullptr);
}

void libraryDlg::stopWatching() {
    KillTimer(hWnd, watchTimer);
    if (watched != nullptr && watched != INVALID_HANDLE_VALUE) FindCloseChangeNotification(watched);
    watched = nullptr;
}

// Whether anything changed in the folder since the last look; without a
// notification (a folder that gives none), every look counts.
bool libraryDlg::folderChanged() {
    if (watched == nullptr || watched == INVALID_HANDLE_VALUE) return true;
    if (WaitForSingleObject(watched, 0) != WAIT_OBJECT_0) return false;
    FindNextChangeNotification(watched);
    return true;
}

// The rows handed to the list again (a part found to hold conflict markers
// is marked in its row), the selection where it is.
void libraryDlg::showRowsAgain() {
    HWND list = GetDlgItem(hWnd, IDC_LIB_LIST);
    const int item = selected();
    const auto* now = reinterpret_cast<const vlistSelection*>(SendMessageA(list, VLB_GETSELECTION, 0, 0));
    const vlistSelection kept = now ? *now : vlistSelection();
    SendMessageA(list, VLB_RESETCONTENT, 0, 0);
    const int last = static_cast<int>(view.count()) - 1;
    if (item >= 0 && last >= 0) SendMessageA(list, VLB_SETCURSEL, VLBR_FINDPOS, std::min(item, last));
    if (now) SendMessageA(list, VLB_SETSELECTION, 0, reinterpret_cast<LPARAM>(&kept));
}

// Shows the library at path as it is now, the selection at item where it
// can be, or the names kept selected where they still are; a library that
// can't be read any more closes the window.
void libraryDlg::reload(int item, const pickedParts* keep) {
    if (!load()) {
        errorBox(IDS_LIB_UNREADABLE, 0, path.c_str());
        onCommand(IDCANCEL, 0, 0);
        return;
    }
    SendDlgItemMessageA(hWnd, IDC_LIB_LIST, VLB_RESETCONTENT, 0, 0);
    if (keep && keep->selectAgain(GetDlgItem(hWnd, IDC_LIB_LIST), view)) showSelected();
    else select(std::max(item, 0));
    SetTimer(hWnd, checksumTimer, 0, nullptr);
}

// Into the library's folder, under the name expand would give the file.
void libraryDlg::extract() {
    const pickedParts picked(GetDlgItem(hWnd, IDC_LIB_LIST), view);
    if (picked.names().empty() || stale()) return;
    clearMainLog();
    HCURSOR was = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const opResult outcome = extractParts(kind, path, picked.names(), log, fileOps::dirOf(path));
    SetCursor(was);
    if (outcome == opResult::done) return;
    if (picked.names().size() == 1) errorBox(IDS_LIB_NOT_EXTRACTED, 0, picked.names()[0].c_str());
    else errorBox(IDS_LIB_PARTS_NOT_EXTRACTED, 0, path.c_str());
}

void libraryDlg::add() {
    mgrPick pick(kind.componentExt);
    if (pick.doModal(hWnd) != 1 || pick.files.empty()) return;
    clearMainLog();
    change("Add", [&](const runControl* control) { return addParts(kind, path, pick.files, log, control); });
}

// Every selected part in one rewrite, after one question.
void libraryDlg::remove() {
    const pickedParts picked(GetDlgItem(hWnd, IDC_LIB_LIST), view);
    const std::vector<std::string>& names = picked.names();
    if (names.empty()) return;
    const std::string question = names.size() == 1 ? "Delete every part named " + names[0] + " from the library?"
                                                   : "Delete the " + std::to_string(names.size()) +
                                                         " selected parts from the library?";
    if (confirmBox("Delete", question.c_str(), hWnd, 2) != 1) return;
    clearMainLog();
    change("Delete", [&](const runControl* control) { return deleteParts(kind, path, names, log, control); });
}

// F2 or Rename: the selected part's name in an edit field over its row;
// Enter renames it as vek rename does, Esc or a click elsewhere leaves it.
void libraryDlg::startRename() {
    const int item = selected();
    if (item < 0 || renaming || stale()) return;
    HWND inner = GetDlgItem(GetDlgItem(hWnd, IDC_LIB_LIST), 101);
    RECT row{};
    const LRESULT at = SendMessageA(inner, LB_GETCURSEL, 0, 0);
    if (at < 0 || SendMessageA(inner, LB_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&row)) == LB_ERR) return;
    MapWindowPoints(inner, hWnd, reinterpret_cast<POINT*>(&row), 2);
    renamed = std::string(view.entry(static_cast<std::size_t>(item)).name());
    HWND field = CreateWindowExA(0, "EDIT", renamed.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                 row.left, row.top - 2, row.right - row.left, row.bottom - row.top + 4, hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIB_NAME_EDIT)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (!field) return;
    SendMessageA(field, WM_SETFONT, static_cast<WPARAM>(SendMessageA(hWnd, WM_GETFONT, 0, 0)), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
    renaming = true;
    SetFocus(field);
}

// The name taken (or left): a name a header line can't carry, or one that
// another part has, is refused with a box; nothing is written then.
void libraryDlg::endRename(bool take) {
    if (!renaming) return;
    renaming = false;
    HWND field = GetDlgItem(hWnd, IDC_LIB_NAME_EDIT);
    char text[1024] = "";
    GetWindowTextA(field, text, sizeof text);
    DestroyWindow(field);
    SetFocus(GetDlgItem(hWnd, IDC_LIB_LIST));
    const std::string name = text;
    if (!take || name == renamed) return;
    if (!carriableName(name)) return errorBox(IDS_LIB_NAME_UNCARRIABLE, 0, name.c_str());
    for (std::size_t i = 0; i < view.count(); ++i) {
        if (view.entry(i).name() == name) return errorBox(IDS_LIB_NAME_TAKEN, 0, name.c_str());
    }
    clearMainLog();
    const std::string old = renamed;
    change("Rename", [&](const runControl* control) { return renamePart(kind, path, old, name, false, log, control); });
}

// Edit, or Enter on a part: its text in the user's editor.
void libraryDlg::startEdit() {
    const int item = selected();
    if (item < 0 || stale()) return;
    const auto i = static_cast<std::size_t>(item);
    std::string text;
    bool scanned = false;
    const std::string name(view.entry(i).name());
    if (!view.text(i, text, scanned) || !editor.open(name, kind, text, path, hWnd)) {
        errorBox(IDS_LIB_NOT_EDITED, 0, name.c_str());
    }
}

// A part file saved in the editor: put in, as vek add puts it (the part keeps
// its place), when the user says so and the library is still the one the
// part came from; otherwise the file stays when the window closes.
void libraryDlg::askToPutIn(partEditor::edit& changed) {
    asking = true;
    const std::string question = changed.name + " was changed in " + changed.file + ". Put the change into the library?";
    const bool yes = confirmBox("Edit", question.c_str(), hWnd, 1) == 1;
    asking = false;
    changed.kept = true;
    if (!yes) return;
    if (!(fileStamp::of(path) == changed.library)) {
        errorBox(IDS_LIB_EDIT_STALE, 0, changed.file.c_str());
        return;
    }
    clearMainLog();
    const std::vector<std::string> files{changed.file};
    change("Edit", [&](const runControl* control) { return addParts(kind, path, files, log, control); });
    const fileStamp now = fileStamp::of(path);
    if (!(now == changed.library)) {
        changed.kept = false;
        changed.library = now;
    }
}

// Ctrl+F: the parts whose text holds the find field's text (either case),
// searched on a thread of its own while the window answers.
void libraryDlg::findInText() {
    char text[301] = "";
    getItemText(IDC_LIB_FIND, text, sizeof text);
    if (!*text || stale()) {
        MessageBeep(MB_OK);
        return;
    }
    found.clear();
    searchedFor = text;
    search.start(hWnd, kind, path, searchedFor);
    note = "; finding \"" + searchedFor + "\" in the texts (Esc stops)";
    showStatus();
}

void libraryDlg::foundInText() {
    found = search.finish();
    const bool failed = search.failed();
    if (found.empty()) {
        MessageBeep(MB_OK);
        note = "; no part's text holds \"" + searchedFor + "\"";
    } else {
        nextFound();
        note = "; " + std::to_string(found.size()) + " part(s) hold \"" + searchedFor + "\" (F3: the next)";
    }
    if (failed) note += "; the library can't be read whole (Verify says why)";
    showStatus();
}

// F3: the next part after the selection (from the top after the last) that
// the last Find in text found.
void libraryDlg::nextFound() {
    const std::size_t n = view.count();
    if (found.empty() || n == 0) {
        MessageBeep(MB_OK);
        return;
    }
    const std::size_t from = static_cast<std::size_t>(selected() + 1);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (from + k) % n;
        if (found.count(std::string(view.entry(i).name())) != 0) {
            const std::string keep = note;
            select(static_cast<int>(i));
            note = keep;
            showStatus();
            return;
        }
    }
}

// Damage beyond conflict markers (text to resolve) is offered a repair.
void libraryDlg::verify() {
    clearMainLog();
    int markers = 0;
    if (verifyFindings(kind, path, log, nullptr, &markers) == markers) return;
    const std::string question = "Verify found damage. Write a repaired library (every part that can be read "
                                 "whole) as " + repairedPath(path) + " and show it here? The library stays as it is.";
    if (confirmBox("Repair", question.c_str(), hWnd, 1) == 1) repair();
}

// Into a new library beside the old one, which is left alone; the report
// goes to the log, and the window shows the new library.
void libraryDlg::repair() {
    const std::string repaired = repairedPath(path);
    KillTimer(hWnd, checksumTimer);
    view.close();
    repairReport report;
    opResult outcome = opResult::done;
    busy = true;
    {
        busyRun running("Repair", GetDlgItem(hWnd, IDC_LIB_STATUS));
        outcome = repairLibrary(kind, {path, repaired, false, false}, report, log, &running.control());
    }
    busy = false;
    if (outcome == opResult::done) {
        path = repaired;
        setCaption(("Library - " + path).c_str());
        watch();
    } else if (outcome == opResult::failed) {
        errorBox(IDS_LIB_NOT_REPAIRED, 0, path.c_str());
    }
    reload(0);
}
