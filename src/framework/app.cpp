#include "framework/app.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "framework/ctl3d.h"
#include "framework/wnd.h"

app* theApp = nullptr;
appEnv* theAppEnv = nullptr;
wnd* theMainWnd = nullptr;
char* errorBuffer = nullptr;
UINT startMsgId = 0;
int onWin32s = detectWin32s();

namespace {

HHOOK helpHookHandle = nullptr;

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

HWND ownerOr(HWND owner) {
    if (owner) return owner;
    return theMainWnd ? theMainWnd->hWndGet() : nullptr;
}

}  // namespace

struct app::task {
    virtual ~task() = default;
    std::int32_t id = 0;
    task* next = nullptr;
};

int detectWin32s() {
    const DWORD version = GetVersion();
    return (version & 0x80000000u) && LOBYTE(LOWORD(version)) <= 3 ? 1 : 0;
}

void appEnv::init(HINSTANCE hInst, HINSTANCE hPrev, int cmdShow) {
    hPrevInstance = hPrev;
    nCmdShow = cmdShow;
    hInstance = hInst;
    ctl3d = ctl3d::registerApp(hInst) ? (ctl3d::autoSubclass(hInst) ? 1 : 0) : 0;
    kanjiKeyboard = GetKeyboardType(0) == 7 ? 1 : 0;
    cxScreen = GetSystemMetrics(SM_CXSCREEN);
    cyScreen = GetSystemMetrics(SM_CYSCREEN);
    startMsgId = RegisterWindowMessageA("startMsg");
    helpHookHandle = SetWindowsHookExA(WH_MSGFILTER, helpHook, nullptr, GetCurrentThreadId());
}

void appEnv::teardown() {
    if (ctl3d) ctl3d::unregisterApp(hInstance);
    if (helpHookHandle) UnhookWindowsHookEx(helpHookHandle);
    helpHookHandle = nullptr;
}

char* appEnv::loadString(UINT id, char* buffer, int size) const {
    LoadStringA(hInstance, id, buffer, size);
    return buffer;
}

app::app(HINSTANCE hInstance, HINSTANCE hPrevInstance, int nCmdShow) {
    env.init(hInstance, hPrevInstance, nCmdShow);
}

app::~app() {
    removeAllTasks();
    env.teardown();
}

int app::setValue(std::int32_t value) {
    stored = value;
    return 0;
}

int app::idle() { return 0; }

int app::removeTask(std::int32_t id) {
    for (task** link = &tasks; *link; link = &(*link)->next) {
        if ((*link)->id != id) continue;
        task* gone = *link;
        *link = gone->next;
        delete gone;
        if (taskCount > 0) --taskCount;
        break;
    }
    return 0;
}

int app::removeAllTasks() {
    while (tasks) removeTask(tasks->id);
    return 0;
}

void app::noOp() {}

int app::reserved() { return 0; }

void quitApp() {
    if (theMainWnd) {
        theMainWnd->saveState();
        DestroyWindow(theMainWnd->hWndGet());
    }
    PostQuitMessage(0);
}

void splitCommandLine(HINSTANCE hInstance, const char* commandLine, int* argc, char*** argv) {
    int count = 1;
    for (const char* p = commandLine; *p;) {
        while (*p && isBlank(*p)) ++p;
        if (!*p) break;
        ++count;
        while (*p && !isBlank(*p)) ++p;
    }
    char** words = new char*[static_cast<std::size_t>(count)];
    words[0] = new char[MAX_PATH];
    GetModuleFileNameA(hInstance, words[0], MAX_PATH);
    int n = 1;
    for (const char* p = commandLine; *p && n < count;) {
        while (*p && isBlank(*p)) ++p;
        const char* start = p;
        while (*p && !isBlank(*p)) ++p;
        const std::size_t length = static_cast<std::size_t>(p - start);
        words[n] = new char[length + 1];
        std::memcpy(words[n], start, length);
        words[n++][length] = '\0';
    }
    *argc = count;
    *argv = words;
}

void freeCommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) delete[] argv[i];
    delete[] argv;
}

LRESULT CALLBACK helpHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if ((code == MSGF_DIALOGBOX || code == MSGF_MENU) && msg && msg->message == WM_KEYDOWN &&
        msg->wParam == VK_F1) {
        PostMessageA(GetActiveWindow(), helpRequest, static_cast<WPARAM>(code), 0);
    }
    CallNextHookEx(helpHookHandle, code, wParam & 0xFFFF, lParam);
    return 0;
}

void errorBox(int id, int, const char* detail) {
    static char fallback[errorBufferSize];
    char* buffer = errorBuffer ? errorBuffer : fallback;
    int length = std::snprintf(buffer, errorBufferSize, "[%d]   ", id);
    char* text = buffer + 255;
    text[0] = '\0';
    LoadStringA(theAppEnv ? theAppEnv->hInstance : GetModuleHandleA(nullptr), static_cast<UINT>(id), text, 80);
    char copy[80];
    std::memcpy(copy, text, sizeof copy);
    length += std::snprintf(buffer + length, static_cast<std::size_t>(255 - length), " %s", copy);
    if (length > 254) length = 254;
    if (detail) {
        while (*detail && length < 255) buffer[length++] = *detail++;
    }
    buffer[length] = '\0';
    MessageBoxA(nullptr, buffer, nullptr, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

int infoBox(const char* caption, const char* text, HWND owner) {
    MessageBeep(MB_ICONASTERISK);
    return MessageBoxA(ownerOr(owner), text, caption, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

int confirmBox(const char* caption, const char* text, HWND owner, int defaultButton) {
    MessageBeep(MB_ICONQUESTION);
    UINT style = MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL;
    if (defaultButton == 2) style |= MB_DEFBUTTON2;
    const int result = MessageBoxA(ownerOr(owner), text, caption, style);
    if (result == IDOK) return 1;
    if (result == IDCANCEL) return 2;
    return result;
}
