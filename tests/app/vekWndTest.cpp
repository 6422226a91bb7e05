// The main window's log and placement, and the numbered error box, with the
// program's own resources linked in.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

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

TEST_F(vekWndTest, ErrorBoxForAnIdWithoutDetail) {
    seenBox seen;
    std::thread helper = answerBox(nullptr, IDOK, seen);
    errorBox(203, 0, nullptr);
    helper.join();
    EXPECT_EQ(seen.text, "[203]    Not a file, or the file list cannot be filled:");
    EXPECT_EQ(seen.caption, "Error");
}

}  // namespace
