#include "app/vekWnd.h"

#include <cstdlib>
#include <cstring>

#include <shellapi.h>

#include "app/busyRun.h"
#include "app/libraryOpener.h"
#include "app/resource.h"
#include "app/vekMenu.h"
#include "framework/app.h"
#include "support/assertion.h"
#include "support/cfman.h"

vekWnd* theVekWnd = nullptr;

namespace {

// The main window clips its log, which fills it; the log is a plain list box
// that tells its owner of clicks and scrolls both ways.
constexpr DWORD mainWindowStyle = WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
constexpr DWORD logListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY;
static_assert(mainWindowStyle == 0x02CF0000 && logListStyle == 0x50B00001, "the window styles the log expects");

const char* const windowClass = "VEKWnd";
const char* const overflowLine = "Too much data for the list box! Will inform on completion...";

int readPlacement(const char* key) {
    char buffer[100];
    const char* value = theCfman.readRaw("BORDER", key, buffer, sizeof buffer, 1);
    return value ? std::atoi(value) : 0;
}

void writePlacement(const char* key, long value, long low, long high) {
    if (value < low || value > high) return;
    char text[20];
    _itoa(static_cast<int>(value), text, 10);
    theCfman.writeRaw("BORDER", key, text, static_cast<int>(std::strlen(text)), 1);
}

}  // namespace

vekWnd::vekWnd(const char* titleText) : wnd(0, 0) {
    menuObj = new vekMenu;
    if (theAppEnv && !theAppEnv->hPrevInstance && !registerClass()) FatalExit(0);
    int left = readPlacement("left"), top = readPlacement("top");
    int width = readPlacement("width"), height = readPlacement("height");
    readPlacement("zoomed");
    if (left == 0 && top == 0) left = top = static_cast<int>(CW_USEDEFAULT);
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(desktop, dc);
    const int cw = tm.tmAveCharWidth, ch = tm.tmHeight;
    if (width == 0) width = 72 * cw + cw / 2;
    if (height == 0) height = 15 * ch + ch / 2;
    hWnd = CreateWindowExA(0, windowClass, titleText, mainWindowStyle, left, top, width, height, nullptr,
                           menuObj->hMenu, theAppEnv->hInstance, nullptr);
    if (!hWnd) {
        PostQuitMessage(0);
    } else {
        hMenu = GetMenu(hWnd);
        subclass();
        attach();
        DragAcceptFiles(hWnd, TRUE);  // a library dropped on the window opens
        ShowWindow(hWnd, theAppEnv->nCmdShow);
        UpdateWindow(hWnd);
        createLog(cw, ch);
    }
    theMainWnd = this;
    hAccel = LoadAcceleratorsA(theAppEnv->hInstance, accelName);
}

vekWnd::~vekWnd() { delete menuObj; }

void vekWnd::createLog(int cw, int ch) {
    hWndLog = CreateWindowExA(0, "LISTBOX", "", logListStyle, 2 * cw, 2 * ch, 68 * cw, 10 * ch, hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LOG)), theAppEnv->hInstance,
                              nullptr);
    ShowWindow(hWndLog, SW_SHOWNORMAL);
    UpdateWindow(hWndLog);
}

ATOM vekWnd::registerClass() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = theAppEnv->hInstance;
    wc.hIcon = LoadIconA(theAppEnv->hInstance, iconName);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = menuName;
    wc.lpszClassName = windowClass;
    return RegisterClassA(&wc);
}

int vekWnd::appendToLog(const char* text, bool select) {
    const int index = static_cast<int>(SendMessageA(hWndLog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    if (select) {
        SendMessageA(hWndLog, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        selectAtPaint = -1;
    }
    paintSoon();
    return index;
}

void vekWnd::paintLog() {
    if (selectAtPaint >= 0) {
        SendMessageA(hWndLog, LB_SETCURSEL, static_cast<WPARAM>(selectAtPaint), 0);
        selectAtPaint = -1;
    }
    if (logFrozen) {
        SendMessageA(hWndLog, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hWndLog, nullptr, TRUE);
        logFrozen = false;
    }
    UpdateWindow(hWndLog);
    lastPaint = GetTickCount();
}

void vekWnd::paintSoon() {
    if (!busyRun::active() || GetTickCount() - lastPaint >= 50) paintLog();
}

int vekWnd::addLine(const char* string) {
    if (!string) {
        assertFail("string", "LIBUTILS\\SRC\\VEKWND", 653);
        return 0;
    }
    if (nLogChars > logLimit) {
        // The overflow warning promises word of the end: a stopped operation
        // ends too.
        if (std::strstr(string, "DONE") || std::strstr(string, "CANCELLED")) appendToLog(string, true);
        return 0;
    }
    nLogChars += static_cast<std::int32_t>(std::strlen(string));
    if (nLogChars > logLimit) return appendToLog(overflowLine, true);
    if (busyRun::active() && !logFrozen) {
        // Between paints the list box only collects lines: drawing each
        // line and scrolling to it costs more than the operation itself.
        SendMessageA(hWndLog, WM_SETREDRAW, FALSE, 0);
        logFrozen = true;
    }
    const int index = static_cast<int>(SendMessageA(hWndLog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(string)));
    if (index >= 10) {
        // While the log is not drawn, only the last selection is seen.
        if (logFrozen) {
            selectAtPaint = index;
        } else {
            SendMessageA(hWndLog, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
    paintSoon();
    return index;
}

void vekWnd::clearLog() {
    selectAtPaint = -1;
    SendMessageA(hWndLog, LB_RESETCONTENT, 0, 0);
    UpdateWindow(hWndLog);
    nLogChars = 0;
}

void vekWnd::onCommand(int group, int item) { menuObj->command(group, item); }

bool vekWnd::onShellMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return takeLibraryMessage(message, wParam, lParam, result);
}

void vekWnd::onSysClose(WPARAM) {
    if (busyRun::active()) {
        busyRun::requestStop();
        return;
    }
    quitApp();
}

int vekWnd::queryClose() {
    if (busyRun::active()) {
        busyRun::requestStop();
        return 0;
    }
    quitApp();
    return 0;
}

LRESULT vekWnd::onQueryEndSession() { return 1; }

void vekWnd::saveState() {
    if (!IsWindow(hWnd)) return;
    if (IsZoomed(hWnd)) {
        theCfman.writeRaw("BORDER", "zoomed", "1", 1, 1);
        return;
    }
    if (IsIconic(hWnd)) return;
    theCfman.writeRaw("BORDER", "zoomed", "0", 1, 1);
    RECT r;
    GetWindowRect(hWnd, &r);
    writePlacement("left", r.left, 0, 2000);
    writePlacement("top", r.top, 0, 2000);
    writePlacement("width", r.right - r.left, 1, 2000);
    writePlacement("height", r.bottom - r.top, 1, 2000);
}

void vekLog::addLine(const std::string& line) {
    if (theVekWnd) theVekWnd->addLine(line.c_str());
}
