// Drives the built vekwin.exe from outside, as a user would: starts it with a
// profile in a temporary folder, looks at its window and menu, starts a
// second copy, quits through the menu and checks the stored placement.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/fileText.h"
#include "common/testDir.h"

namespace {

std::string programPath() {
    std::string path = VEKWIN_BINARY;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path[0] == '\\' ? "Z:" + path : path;
}

template <class Probe>
auto waitFor(Probe probe, int ms = 15000) -> decltype(probe()) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (auto found = probe()) return found;
        Sleep(50);
    }
    return probe();
}

std::string staticText(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM out) -> BOOL {
            char cls[32] = "", t[512] = "";
            GetClassNameA(child, cls, sizeof cls);
            GetWindowTextA(child, t, sizeof t);
            if (lstrcmpiA(cls, "Static") == 0 && t[0]) *reinterpret_cast<std::string*>(out) = t;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// A box may be found before its text is in place: wait for the text too.
std::string boxText(HWND box) {
    std::string text;
    for (int waited = 0; waited < 5000 && text.empty(); waited += 50) {
        text = staticText(box);
        if (text.empty()) Sleep(50);
    }
    return text;
}

class vekwinEndToEnd : public inTempDir {
protected:
    void TearDown() override {
        if (HWND w = FindWindowA("VEKWnd", nullptr)) PostMessageA(w, WM_COMMAND, 4100, 0);
        inTempDir::TearDown();
    }
    PROCESS_INFORMATION start(const std::string& args) {
        std::string line = "vekwin.exe " + args;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessA(programPath().c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   dir.c_str(), &si, &pi));
        return pi;
    }
    DWORD finish(PROCESS_INFORMATION& pi) {
        WaitForSingleObject(pi.hProcess, 20000);
        DWORD code = 999;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    }
    HWND mainWindow() {
        return waitFor([] { return FindWindowA("VEKWnd", nullptr); });
    }
    DWORD quit(PROCESS_INFORMATION& pi, HWND w) {
        PostMessageA(w, WM_COMMAND, 4100, 0);
        return finish(pi);
    }
    std::string profile(const char* key) {
        char value[50] = "";
        GetPrivateProfileStringA("Library Expander/Compressor BORDER", key, "", value, sizeof value, ini().c_str());
        return value;
    }
    std::string ini() const { return dir + "\\e2e.ini"; }
};

TEST_F(vekwinEndToEnd, WindowMenuSecondCopyAndPlacement) {
    PROCESS_INFORMATION first = start("-i " + ini());
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);
    char caption[100] = "";
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "Library Expander/Compressor");

    PROCESS_INFORMATION second = start("");
    HWND box = waitFor([] { return FindWindowA("#32770", "Error"); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box), "Can only run one VK at a time.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(finish(second), 1u);
    EXPECT_TRUE(IsWindow(w)) << "the running copy is not disturbed";

    SetWindowPos(w, nullptr, 100, 120, 500, 300, SWP_NOZORDER);
    EXPECT_EQ(quit(first, w), 0u);
    EXPECT_EQ(profile("left"), "100");
    EXPECT_EQ(profile("top"), "120");
    EXPECT_EQ(profile("width"), "500");
    EXPECT_EQ(profile("height"), "300");
    EXPECT_EQ(profile("zoomed"), "0");

    PROCESS_INFORMATION again = start("-i" + ini());
    w = mainWindow();
    ASSERT_NE(w, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 300);
    ShowWindow(w, SW_MAXIMIZE);
    waitFor([w] { return IsZoomed(w); }, 3000);
    EXPECT_EQ(quit(again, w), 0u);
    EXPECT_EQ(profile("zoomed"), "1");
    EXPECT_EQ(profile("left"), "100") << "a maximised window stores no rectangle";
}

TEST_F(vekwinEndToEnd, OptionErrorsAreShownAndStartUpGoesOn) {
    PROCESS_INFORMATION p = start("-x -i " + ini());
    HWND box = waitFor([] { return FindWindowA("#32770", nullptr); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box), "Unknown option \"x\"\n");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND w = mainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(quit(p, w), 0u);
    EXPECT_FALSE(fileExists(ini())) << "the -i after the bad option was never read";
}

TEST(vekwinResources, MenuAndAccelerators) {
    HMODULE module = LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HMENU bar = LoadMenuA(module, "MAINMENU");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    char text[64];
    GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Help=F1");
    HMENU file = GetSubMenu(bar, 0);
    const struct { UINT id; const char* text; } items[] = {
        {4098, "&Expand...\tCtrl+E"}, {4099, "&Compress...\tCtrl+C"}, {4097, "&Both...\tCtrl+B"}, {4100, "E&xit"}};
    ASSERT_EQ(GetMenuItemCount(file), 5);
    for (const auto& item : items) {
        ASSERT_GT(GetMenuStringA(file, item.id, text, sizeof text, MF_BYCOMMAND), 0) << item.id;
        EXPECT_STREQ(text, item.text);
    }
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 5889u);
    HACCEL accel = LoadAcceleratorsA(module, "vekAccel");
    ASSERT_NE(accel, nullptr);
    ACCEL table[8];
    ASSERT_EQ(CopyAcceleratorTableA(accel, table, 8), 4);
    EXPECT_EQ(table[0].key, 'E');
    EXPECT_EQ(table[0].cmd, 4098);
    EXPECT_EQ(table[3].key, VK_F1);
    EXPECT_EQ(table[3].cmd, 5889);
    EXPECT_NE(LoadIconA(module, "vekIcon"), nullptr);
    FreeLibrary(module);
}

}  // namespace
