// The dialog base under Wine: modal dialogs driven by messages they post to
// themselves when they open, with templates linked into this test program.
#include <gtest/gtest.h>

#include "common/winTest.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/vlist.h"

namespace {

class scriptedDialog : public dialog {
public:
    explicit scriptedDialog(const char* name, int isModeless = 0) : dialog(isModeless) { setTemplate(name); }
    INT_PTR onInitDialog() override {
        if (atInit) atInit(*this);
        for (UINT id : commands) PostMessageA(hWnd, WM_COMMAND, id, 0);
        return 0;
    }
    int doAction(int id) override {
        actions.push_back(id);
        resultsSeen.push_back(result);
        return answers.empty() ? 1 : pop();
    }
    int pop() {
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::function<void(scriptedDialog&)> atInit;
    std::vector<UINT> commands;
    std::vector<int> answers;
    std::vector<int> actions;
    std::vector<int> resultsSeen;
};

class dialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { useTestApp(); }
};

TEST_F(dialogTest, HelpButtonIsDisabledAndCancelCloses) {
    scriptedDialog d("TESTDLG");
    bool helpEnabled = true;
    d.atInit = [&](scriptedDialog& self) { helpEnabled = IsWindowEnabled(GetDlgItem(self.hWnd, 599)) != 0; };
    d.commands = {IDCANCEL};
    EXPECT_EQ(d.doModal(static_cast<HWND>(nullptr)), 2);
    EXPECT_FALSE(helpEnabled);
    EXPECT_TRUE(d.actions.empty());
    for (const dialogPair& pair : dialogTable) EXPECT_EQ(pair.hWnd, nullptr);

    scriptedDialog plain("TESTNOHELP");
    plain.commands = {IDOK};
    EXPECT_EQ(plain.doModal(static_cast<HWND>(nullptr)), 1);
    EXPECT_EQ(plain.actions, std::vector<int>{IDOK});
}

TEST_F(dialogTest, OkRefusedByDoActionKeepsTheDialogOpen) {
    scriptedDialog d("TESTDLG");
    d.commands = {IDOK, IDCANCEL};
    d.answers = {0};
    EXPECT_EQ(d.doModal(static_cast<HWND>(nullptr)), 2);
    EXPECT_EQ(d.actions, std::vector<int>{IDOK});
    EXPECT_EQ(d.resultsSeen, std::vector<int>{0});
}

TEST_F(dialogTest, VListRequestsFallBackToTheBuiltInSource) {
    scriptedDialog d("TESTDLG");
    int rows = 0;
    std::string first;
    char a[] = "one", b[] = "two", c[] = "three";
    d.atInit = [&](scriptedDialog& self) {
        VLBox* box = vlistState(GetDlgItem(self.hWnd, 500));
        ASSERT_NE(box, nullptr);
        box->strings = new char*[3];
        char* texts[] = {a, b, c};
        for (int i = 0; i < 3; ++i) {
            box->strings[i] = new char[8];
            std::strcpy(box->strings[i], texts[i]);
        }
        box->nStrings = 3;
        SendDlgItemMessageA(self.hWnd, 500, VLB_INITIALIZE, 0, 0);
        rows = static_cast<int>(SendMessageA(box->hWndList, LB_GETCOUNT, 0, 0));
        char text[16] = "";
        SendMessageA(box->hWndList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
        first = text;
    };
    d.commands = {IDCANCEL};
    d.doModal(static_cast<HWND>(nullptr));
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(first, "one");
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(theAppEnv->hInstance, "VList", &wc)) << "the dialog gave its use of the class back";
}

TEST_F(dialogTest, ATableOfEightDialogs) {
    std::vector<scriptedDialog*> open;
    for (int i = 0; i < 9; ++i) {
        open.push_back(new scriptedDialog("TESTNOHELP", 1));
        open.back()->run(nullptr);
        ASSERT_NE(open.back()->hWnd, nullptr);
        EXPECT_EQ(open.back()->result, static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(open.back()->hWnd)));
    }
    SendMessageA(open[8]->hWnd, WM_COMMAND, 55, 0);
    SendMessageA(open[0]->hWnd, WM_COMMAND, 55, 0);
    EXPECT_TRUE(open[8]->actions.empty()) << "the ninth dialog has no place in the table";
    EXPECT_EQ(open[0]->actions, std::vector<int>{55});
    for (scriptedDialog* d : open) {
        DestroyWindow(d->hWnd);
        delete d;
    }
    for (const dialogPair& pair : dialogTable) EXPECT_EQ(pair.hWnd, nullptr);
}

TEST_F(dialogTest, LongPatternsAreRefusedNotOverflowed) {
    scriptedDialog d("TESTDLG");
    int tooLong = -1, fits = -1;
    d.atInit = [&](scriptedDialog& self) {
        char buffer[fileListBufferSize];
        std::string dir(299, 'd'), name(299, 'n'), star = "*";
        name[0] = '*';
        const std::string ext(99, 'e');
        tooLong = self.fillFileList(buffer, &dir[0], &name[0], ext.c_str(), 401, 301);
        char here[] = "";
        fits = self.fillFileList(buffer, here, &star[0], ".slb", 401, 301);
    };
    d.commands = {IDCANCEL};
    d.doModal(static_cast<HWND>(nullptr));
    EXPECT_EQ(tooLong, 0);
    EXPECT_EQ(fits, 1);
}

}  // namespace
