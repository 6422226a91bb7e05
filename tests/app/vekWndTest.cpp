// The main window's log and placement, and the numbered error box, with the
// program's own resources linked in.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/busyRun.h"
#include "app/commands.h"
#include "app/libraryOpener.h"
#include "app/vekMenu.h"
#include "app/vekWnd.h"
#include "common/fileText.h"
#include "common/testDir.h"
#include "common/winTest.h"
#include "framework/app.h"
#include "support/cfman.h"

namespace {

class vekWndTest : public inTempDir {
protected:
    static void SetUpTestSuite() { useTestApp(); }
    void SetUp() override {
        inTempDir::SetUp();
        ini = dir + "\\kelv.ini";
        theCfman.load(ini.c_str(), "Library Expander/Compressor");
        window = new vekWnd("Library Expander/Compressor");
        theVekWnd = window;
    }
    void TearDown() override {
        if (IsWindow(window->hWndGet())) DestroyWindow(window->hWndGet());
        delete window;
        // A second registration would fail, and the window ends the process
        // when it cannot register its class.
        UnregisterClassA("VEKWnd", theAppEnv->hInstance);
        theVekWnd = nullptr;
        theMainWnd = nullptr;
        inTempDir::TearDown();
    }
    int selected() { return static_cast<int>(SendMessageA(window->hWndLog, LB_GETCURSEL, 0, 0)); }
    int count() { return static_cast<int>(SendMessageA(window->hWndLog, LB_GETCOUNT, 0, 0)); }
    std::string line(int i) {
        char text[2048] = "";
        SendMessageA(window->hWndLog, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string ini;
    vekWnd* window = nullptr;
};

TEST_F(vekWndTest, TheEleventhLineIsSelected) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(window->addLine(("line " + std::to_string(i)).c_str()), i);
    EXPECT_EQ(selected(), LB_ERR);
    EXPECT_EQ(window->addLine("eleventh"), 10);
    EXPECT_EQ(selected(), 10);
    EXPECT_EQ(line(0), "line 0") << "the log keeps the order of the lines";
    window->clearLog();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(window->nLogChars, 0);
}

TEST_F(vekWndTest, WhileBusyTheLastLineIsSelectedWhenPainted) {
    {
        busyRun run("Expand");
        for (int i = 0; i < 12; ++i) window->addLine(("line " + std::to_string(i)).c_str());
        window->paintLog();
        EXPECT_EQ(selected(), 11);
        window->addLine("twelfth");
    }
    EXPECT_EQ(selected(), 12) << "the end of the operation paints";
}

TEST_F(vekWndTest, OverflowShowsTheWarningOnceThenOnlyDone) {
    const std::string chunk(1000, 'x');
    int added = 0;
    while (window->nLogChars + 1000 <= 32000) {
        window->addLine(chunk.c_str());
        ++added;
    }
    EXPECT_EQ(count(), added);
    EXPECT_EQ(window->addLine(chunk.c_str()), added) << "the warning takes the line's place";
    EXPECT_EQ(line(added), "Too much data for the list box! Will inform on completion...");
    EXPECT_EQ(window->addLine("more"), 0);
    EXPECT_EQ(window->addLine("Compress: --- DONE ---"), 0);
    EXPECT_EQ(count(), added + 2);
    EXPECT_EQ(line(added + 1), "Compress: --- DONE ---");
    EXPECT_EQ(selected(), added + 1);
}

TEST_F(vekWndTest, PlacementIsWrittenWhenInRange) {
    SetWindowPos(window->hWndGet(), nullptr, 100, 120, 500, 300, SWP_NOZORDER);
    window->saveState();
    char value[20];
    EXPECT_STREQ(theCfman.readRaw("BORDER", "left", value, sizeof value, 1), "100");
    EXPECT_STREQ(theCfman.readRaw("BORDER", "width", value, sizeof value, 1), "500");
    EXPECT_STREQ(theCfman.readRaw("BORDER", "zoomed", value, sizeof value, 1), "0");
    SetWindowPos(window->hWndGet(), nullptr, -40, 130, 510, 310, SWP_NOZORDER);
    window->saveState();
    EXPECT_STREQ(theCfman.readRaw("BORDER", "left", value, sizeof value, 1), "100") << "-40 is out of range";
    EXPECT_STREQ(theCfman.readRaw("BORDER", "top", value, sizeof value, 1), "130");
    EXPECT_NE(readBytes(ini).find("[Library Expander/Compressor BORDER]"), std::string::npos);
}

TEST(libraryArgument, TheFirstWordThatIsNoOptionNorItsValue) {
    const struct { const char* line; const char* library; } rows[] = {
        {"", ""},
        {"lib.slb", "lib.slb"},
        {"-i k.ini lib.slb", "lib.slb"},
        {"-ik.ini /PS 3 parts.plb extra", "parts.plb"},
        {"/I k.ini \"C:\\My Libs\\a b.flb\"", "C:\\My Libs\\a b.flb"},
        {"-ps3 -i k.ini", ""},
        {"-x lib.slb", "lib.slb"},
    };
    for (const auto& row : rows) EXPECT_EQ(libraryArgument(row.line), row.library) << row.line;
}

std::vector<std::string> opened;

// A drop of files as the shell makes it: DROPFILES and the names, each
// ended by a zero, a second zero at the end.
HGLOBAL dropOf(const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return memory;
}

TEST_F(vekWndTest, DroppedAndHandedOverLibrariesOpenInTurn) {
    opened.clear();
    const libraryOpener before = setLibraryOpener([](const std::string& path) { opened.push_back(path); });
    SendMessageA(window->hWndGet(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({dir + "\\a.slb", dir + "\\b.plb"})), 0);
    EXPECT_TRUE(handOverLibrary(window->hWndGet(), "c.flb")) << "a relative name is made whole by the sender";
    MSG m;
    for (int i = 0; i < 200 && opened.size() < 3; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    setLibraryOpener(before);
    EXPECT_EQ(opened, (std::vector<std::string>{dir + "\\a.slb", dir + "\\b.plb", dir + "\\c.flb"}));

    seenBox seen;
    std::thread helper = answerBox(nullptr, IDOK, seen);
    openLibraryWindow("notes.txt");
    helper.join();
    EXPECT_EQ(seen.text, "[234]    Not a library (.slb, .plb or .flb):notes.txt");
}

TEST_F(vekWndTest, ErrorBoxForAnIdWithoutDetail) {
    seenBox seen;
    std::thread helper = answerBox(nullptr, IDOK, seen);
    errorBox(203, 0, nullptr);
    helper.join();
    EXPECT_EQ(seen.text, "[203]    Not a file, or the file list cannot be filled:");
    EXPECT_EQ(seen.caption, "Error");
}

}  // namespace
