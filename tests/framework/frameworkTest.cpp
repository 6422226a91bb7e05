// The window framework under Wine: command-line splitting, the window
// procedure's dispatch, the message loop's filter and quitApp.
#include <gtest/gtest.h>

#include "common/boxRecorder.h"
#include "common/winTest.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/msgLoop.h"
#include "framework/wnd.h"
#include "support/assertion.h"
#include "support/ipcMsg.h"
#include "support/shareMem.h"

namespace {

std::vector<std::string> calls;

class recordingWnd : public wnd {
public:
    recordingWnd() : wnd(0, 0) {}
    void saveState() override { calls.push_back("saveState"); }
    ATOM registerClass() override { return 0; }
    void onCommand(int group, int item) override {
        if (item == 0x55) throw std::runtime_error("boom");
        calls.push_back("command " + std::to_string(group) + " " + std::to_string(item));
    }
    void onSysGroupCommand(int id) override { calls.push_back("sys " + std::to_string(id)); }
    void onCtrlGroupCommand(int id, int code, LPARAM) override {
        calls.push_back("ctrl " + std::to_string(id) + " " + std::to_string(code));
    }
    void onSize(int kind, int* w, int* h) override {
        calls.push_back("size " + std::to_string(kind) + " " + std::to_string(*w) + "x" + std::to_string(*h));
    }
    void onLButtonDown(unsigned x, unsigned y, WPARAM) override {
        calls.push_back("ldown " + std::to_string(x) + " " + std::to_string(y));
    }
};

class frameworkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        useTestApp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = theAppEnv->hInstance;
        wc.lpszClassName = "vekTestWnd";
        RegisterClassA(&wc);
    }
    void SetUp() override {
        calls.clear();
        object = new recordingWnd;
        object->hWnd = CreateWindowExA(0, "vekTestWnd", "test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                       nullptr, theAppEnv->hInstance, nullptr);
        object->subclass();
    }
    void TearDown() override {
        if (IsWindow(object->hWnd)) DestroyWindow(object->hWnd);
        delete object;
        theMainWnd = nullptr;
    }
    LRESULT send(UINT m, WPARAM w, LPARAM l) { return SendMessageA(object->hWnd, m, w, l); }
    recordingWnd* object = nullptr;
};

TEST_F(frameworkTest, CommandGroups) {
    object->attach();
    calls.clear();
    send(WM_COMMAND, 0x1002, 0);
    send(WM_COMMAND, 5889, 0);
    send(WM_COMMAND, 0xE005, 0);
    send(WM_COMMAND, MAKEWPARAM(0xD003, 7), 0);
    send(WM_COMMAND, 0xA001, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"command 4096 2", "command 5888 1", "sys 57349", "ctrl 53251 7"}));
}

TEST_F(frameworkTest, SizeKindsAfterRestoringFromAnIcon) {
    object->attach();
    calls.clear();
    send(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    send(WM_QUERYOPEN, 0, 0);
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(201, 101));
    EXPECT_EQ(calls, (std::vector<std::string>{"size -1 0x0", "size 1 200x100", "size 0 201x101"}));
}

TEST_F(frameworkTest, CaptureFromFirstButtonDownToLastButtonUp) {
    object->attach();
    calls.clear();
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xFFFF, 5));
    EXPECT_EQ(GetCapture(), object->hWnd);
    send(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    send(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), object->hWnd) << "the right button is still down";
    send(WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(leftUp, 1);
    EXPECT_EQ(rightUp, 1);
    EXPECT_EQ(calls.front(), "ldown 65535 5");
}

TEST_F(frameworkTest, ModelessDialogTakesKeysBeforeTheAccelerators) {
    object->attach();
    ACCEL f1{FVIRTKEY, VK_F1, 5889};
    object->hAccel = CreateAcceleratorTableA(&f1, 1);
    msgLoop loop;
    calls.clear();
    MSG key{object->hWnd, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}};
    *loop.msg = key;
    EXPECT_FALSE(loop.filter(1, object));
    EXPECT_EQ(calls, std::vector<std::string>{"command 5888 1"});

    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tmpl{{WS_POPUP, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
    HWND dialog = CreateDialogIndirectParamA(theAppEnv->hInstance, &tmpl.t, object->hWnd,
                                             [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr);
    loop.addModeless(dialog);
    calls.clear();
    key.hwnd = dialog;
    *loop.msg = key;
    EXPECT_FALSE(loop.filter(1, object));
    EXPECT_TRUE(calls.empty()) << "the dialog took the key";
    loop.removeModeless(dialog);
    DestroyWindow(dialog);
    DestroyAcceleratorTable(object->hAccel);
}

TEST_F(frameworkTest, QuitAppEndsTheLoopWithCodeZero) {
    object->attach();
    theMainWnd = object;
    calls.clear();
    msgLoop loop;
    PostMessageA(object->hWnd, WM_COMMAND, 0x1004, 0);
    quitApp();
    loop.run(nullptr, 0);
    EXPECT_EQ(loop.exitCode(), 0u);
    EXPECT_EQ(calls.front(), "saveState");
    EXPECT_FALSE(IsWindow(object->hWnd));
}

TEST(splitCommandLine, WordsAndBlanks) {
    struct splitCase {
        const char* line;
        std::vector<std::string> words;
    } cases[] = {
        {"", {}},
        {" \t  ", {}},
        {"-i kelv.ini", {"-i", "kelv.ini"}},
        {"one \"two three\" four", {"one", "\"two", "three\"", "four"}},
        {"  lead\ttabs\r\nend  ", {"lead", "tabs", "end"}},
    };
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    for (const auto& c : cases) {
        int argc = 0;
        char** argv = nullptr;
        splitCommandLine(nullptr, c.line, &argc, &argv);
        ASSERT_EQ(argc, static_cast<int>(c.words.size()) + 1) << c.line;
        EXPECT_STREQ(argv[0], module);
        for (std::size_t i = 0; i < c.words.size(); ++i) EXPECT_EQ(argv[i + 1], c.words[i]) << c.line;
        freeCommandLine(argc, argv);
    }
}

TEST_F(frameworkTest, AnExceptionStopsAtTheWindowProcedure) {
    object->attach();
    calls.clear();
    boxRecorder boxes;
    EXPECT_EQ(send(WM_COMMAND, 0x1055, 0), 0);
    EXPECT_EQ(send(WM_COMMAND, 0x1001, 0), 0);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Exception: boom in wndProc (message 0x0111).  Continue?"});
    EXPECT_EQ(calls, std::vector<std::string>{"command 4096 1"});
}

class answeringReceiver : public ipcReceiver {
public:
    LRESULT handle(std::uintptr_t wParam, void*) override {
        calls.push_back("ipc " + std::to_string(wParam));
        return 7;
    }
};

// A record that wants no answer gives its shared buffer back after the
// message, whether a handler took it or not.
TEST_F(frameworkTest, ReceivedRecordsAreReleasedWithOrWithoutAHandler) {
    object->attach();
    static unsigned char area[(NumOfEntries + 1) * SHAREBUF_SIZE];
    unsigned char flags[NumOfEntries + 1] = {};
    baseAddr = ::data = area;
    MemMapTotSize = sizeof area;
    freeFlags = flags;
    noMutex = 1;
    ipcMsgNumber = RegisterWindowMessageA("vekTestIpc");
    answeringReceiver handler;
    for (const bool withHandler : {true, false}) {
        object->ipcHandler = withHandler ? &handler : nullptr;
        flags[3] = 0;
        *reinterpret_cast<ipcMsg*>(area + 3 * SHAREBUF_SIZE) = ipcMsg{};
        EXPECT_EQ(send(ipcMsgNumber, 5, 3 * SHAREBUF_SIZE), withHandler ? 7 : 0);
        EXPECT_EQ(flags[3], 1) << withHandler;
    }
    EXPECT_EQ(calls, std::vector<std::string>{"ipc 5"});
    object->ipcHandler = nullptr;
    ipcMsgNumber = 0;
    baseAddr = ::data = freeFlags = nullptr;
    MemMapTotSize = 0;
}

}  // namespace
