// The process-wide pieces of the window framework: the application object
// with its environment record, the deferred-call message, the F1 help hook,
// the numbered error box and the information and confirmation boxes, the
// end of the application and the splitting of the command line.
#pragma once

#include <windows.h>

#include <cstdint>

class wnd;

struct appEnv {
    std::int32_t cxScreen = 0;
    std::int32_t cyScreen = 0;
    std::int32_t kanjiKeyboard = 0;
    HINSTANCE hPrevInstance = nullptr;
    std::int32_t nCmdShow = 0;
    std::int32_t ctl3d = 0;
    HINSTANCE hInstance = nullptr;

    void init(HINSTANCE hInst, HINSTANCE hPrev, int cmdShow);
    void teardown();
    char* loadString(UINT id, char* buffer, int size) const;
};

class app {
public:
    app(HINSTANCE hInstance, HINSTANCE hPrevInstance, int nCmdShow);
    virtual ~app();
    app(const app&) = delete;
    app& operator=(const app&) = delete;

    virtual int setValue(std::int32_t value);
    virtual int idle();
    virtual int removeTask(std::int32_t id);
    virtual int removeAllTasks();
    virtual void noOp();
    virtual int reserved();

    appEnv env;

private:
    struct task;
    task* tasks = nullptr;
    std::int32_t taskCount = 0;
    std::int32_t stored = 0;
};

constexpr UINT helpRequest = WM_USER + 101;  // 0x465
constexpr int errorBufferSize = 336;

extern app* theApp;
extern appEnv* theAppEnv;
extern wnd* theMainWnd;
extern char* errorBuffer;
extern UINT startMsgId;
extern int onWin32s;

// A deferred call: posted as startMsgId with the record as lParam, run and
// freed by the window procedure.
struct startRecord {
    void (*function)(std::int32_t);
    std::int32_t argument;
};

void quitApp();
void splitCommandLine(HINSTANCE hInstance, const char* commandLine, int* argc, char*** argv);
void freeCommandLine(int argc, char** argv);
int detectWin32s();
void errorBox(int id, int flags, const char* detail);
int infoBox(const char* caption, const char* text, HWND owner);
int confirmBox(const char* caption, const char* text, HWND owner, int defaultButton);

// The F1 hook procedure (installed by appEnv::init).
LRESULT CALLBACK helpHook(int code, WPARAM wParam, LPARAM lParam);
