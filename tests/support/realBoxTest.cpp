// The real assertion box under Windows: a helper thread finds it, reads it
// and answers it, as a person would.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/assertion.h"

namespace {

struct seenBox {
    std::string text;
    LONG_PTR exStyle = 0;
    bool found = false;
};

BOOL CALLBACK readStatic(HWND child, LPARAM lParam) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[1024] = "";
        GetWindowTextA(child, text, sizeof text);
        if (text[0]) reinterpret_cast<seenBox*>(lParam)->text = text;
    }
    return TRUE;
}

// Waits for the box captioned "Assertion Failure" and presses a button.
std::thread answerBox(int button, seenBox& seen) {
    return std::thread([button, &seen] {
        for (int tries = 0; tries < 500; ++tries) {
            HWND box = FindWindowA("#32770", "Assertion Failure");
            if (box) {
                seen.found = true;
                seen.exStyle = GetWindowLongPtrA(box, GWL_EXSTYLE);
                // The box can be found before its text is in place.
                for (int wait = 0; wait < 100 && seen.text.empty(); ++wait) {
                    EnumChildWindows(box, readStatic, reinterpret_cast<LPARAM>(&seen));
                    if (seen.text.empty()) Sleep(20);
                }
                PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                return;
            }
            Sleep(20);
        }
    });
}

TEST(realAssertionBox, YesReturnsToTheCheck) {
    seenBox seen;
    std::thread helper = answerBox(IDYES, seen);
    assertFail("heap", "GUI\\SRCPC\\WMALLOC", 791);
    helper.join();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "heap == 0: GUI\\SRCPC\\WMALLOC, line 791.  Continue?");
}

TEST(realAssertionBox, AskYesNoMapsTheAnswers) {
    seenBox seen;
    std::thread helper = answerBox(IDNO, seen);
    EXPECT_EQ(askYesNo("Assertion Failure", "question"), answerNo);
    helper.join();
    EXPECT_EQ(seen.text, "question");
}

TEST(realAssertionBoxDeathTest, NoEndsTheProgram) {
    EXPECT_EXIT(
        {
            seenBox seen;
            std::thread helper = answerBox(IDNO, seen);
            helper.detach();
            assertFail("buf", "GUI\\SRCPC\\WMALLOC", 12);
        },
        ::testing::ExitedWithCode(3), "Assertion failed: buf, file GUI\\\\SRCPC\\\\WMALLOC, line 12");
}

}  // namespace
