// The command dialog and the about box, run modally with a scripted start.
#include <gtest/gtest.h>

#include "common/winTest.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/mgrVek.h"
#include "common/boxRecorder.h"
#include "common/fileText.h"
#include "common/testDir.h"
#include "framework/app.h"
#include "framework/mgrAbns.h"
#include "support/assertion.h"
#include "support/cfman.h"

namespace {

class scriptedVek : public mgrVek {
public:
    using mgrVek::mgrVek;
    INT_PTR onInitDialog() override {
        const INT_PTR r = mgrVek::onInitDialog();
        char text[300];
        edit301 = getItemText(301, text, sizeof text);
        for (const auto& step : script) {
            SetDlgItemTextA(hWnd, step.first, step.second.c_str());
        }
        PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        return r;
    }
    std::vector<std::pair<int, std::string>> script;
    std::string edit301;
};

class dialogsTest : public inTempDir {
protected:
    static void SetUpTestSuite() { useTestApp(); }
    openSpec request(const char* ext, const char* name) {
        openSpec s{};
        std::strcpy(s.ext, ext);
        std::strcpy(s.ext2, ext);
        std::strcpy(s.name, name);
        return s;
    }
};

TEST_F(dialogsTest, CompressJoinsTheOutputDirectoryAndTheType) {
    writeBytes("parts.lst", "x");
    lastLibType = 102;
    openSpec s = request(".lst", "*");
    scriptedVek d(compressLib, ".lst", &s, nullptr);
    d.script = {{301, "parts"}, {303, "out"}};
    EXPECT_EQ(d.doModal(static_cast<HWND>(nullptr)), 1);
    EXPECT_EQ(_stricmp(d.edit301.c_str(), "*.lst"), 0) << d.edit301;
    char buf1[300] = "", buf3[300] = "";
    std::int32_t remove = 0;
    openSpec out{};
    EXPECT_EQ(d.getResults(&out, buf1, 300, buf3, 300, &remove), 102);
    EXPECT_EQ(std::string(buf1), dir + "\\parts.lst");
    EXPECT_EQ(std::string(buf3), dir + "\\out.plb");
    EXPECT_EQ(remove, 1);
    const vekRequest r = d.request();
    EXPECT_EQ(r.kind, 102);
    EXPECT_EQ(r.input + "|" + r.output + "|" + r.name, std::string(buf1) + "|" + buf3 + "|" + out.name);
    EXPECT_TRUE(r.remove);
    EXPECT_EQ(lastLibType, 102);
    lastLibType = 101;
}

TEST_F(dialogsTest, GetResultsNeedsItsBuffers) {
    openSpec s = request(".slb", "*");
    mgrVek d(expandLib, ".lst", &s, nullptr);
    boxRecorder boxes;
    char buf[10];
    EXPECT_EQ(d.getResults(nullptr, buf, 10, buf, 10, nullptr), 1);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "pData && buf1 && buf3 == 0: LIBUTILS\\SRC\\MGRVEK, line 411.  Continue?");
}

class scriptedAbout : public mgrAbns {
public:
    using mgrAbns::mgrAbns;
    INT_PTR onInitDialog() override {
        const INT_PTR r = mgrAbns::onInitDialog();
        char text[200];
        for (int id : {601, 602, 603, 604}) texts.push_back(getItemText(id, text, sizeof text));
        icon = reinterpret_cast<HICON>(SendDlgItemMessageA(hWnd, 1001, STM_GETICON, 0, 0));
        PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        return r;
    }
    std::vector<std::string> texts;
    HICON icon = nullptr;
};

TEST_F(dialogsTest, AboutWithAndWithoutSiteId) {
    kelvIdItem.fromString("");
    scriptedAbout plain("Library Expansion/Compression Utility", "About VEKWIN", "vekicon");
    EXPECT_EQ(plain.doModal(static_cast<HWND>(nullptr)), 1);
    EXPECT_EQ(plain.texts, (std::vector<std::string>{"Library Expansion/Compression Utility",
                                                     "Version 6.3 - April 1996", "", ""}));
    EXPECT_NE(plain.icon, nullptr);

    kelvIdItem.fromString("SITE-7");
    scriptedAbout site("Title", "Caption", "noSuchIcon");
    site.doModal(static_cast<HWND>(nullptr));
    EXPECT_EQ(site.texts[3], "SITE-7");
    EXPECT_EQ(site.hIcon, nullptr);
    kelvIdItem.fromString("");
}

TEST(aboutDeathTest, TitleAndCaptionAreRequired) {
    EXPECT_EXIT(mgrAbns(nullptr, "About VEKWIN", nullptr), ::testing::ExitedWithCode(3),
                "Assertion failed: programTitle, file DLGMGR\\\\SRC\\\\MGRABNS, line ");
    EXPECT_EXIT(mgrAbns("Title", nullptr, nullptr), ::testing::ExitedWithCode(3),
                "Assertion failed: caption, file DLGMGR\\\\SRC\\\\MGRABNS, line ");
}

}  // namespace
