// The real assertion box under Windows, answered by a helper thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "common/winTest.h"
#include "support/assertion.h"

namespace {

TEST(realAssertionBox, YesReturnsToTheCheck) {
    seenBox seen;
    std::thread helper = answerBox("Assertion Failure", IDYES, seen);
    assertFail("heap", "GUI\\SRCPC\\WMALLOC", 791);
    helper.join();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "heap == 0: GUI\\SRCPC\\WMALLOC, line 791.  Continue?");
}

TEST(realAssertionBoxDeathTest, NoEndsTheProgram) {
    EXPECT_EXIT(
        {
            seenBox seen;
            std::thread helper = answerBox("Assertion Failure", IDNO, seen);
            helper.detach();
            assertFail("buf", "GUI\\SRCPC\\WMALLOC", 12);
        },
        ::testing::ExitedWithCode(3), "Assertion failed: buf, file GUI\\\\SRCPC\\\\WMALLOC, line 12");
}

}  // namespace
