#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/envVar.h"
#include "common/fileText.h"
#include "common/testDir.h"
#include "support/assertion.h"

namespace {

struct boxCall {
    std::string caption;
    std::string text;
    unsigned style = 0;
};

boxCall lastBox;
int boxAnswer = 6;
int boxCalls = 0;

int fakeBox(const char* caption, const char* text, unsigned style) {
    lastBox = {caption, text, style};
    ++boxCalls;
    return boxAnswer;
}

class assertionTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = setYesNoBox(fakeBox);
        boxCalls = 0;
        boxAnswer = 6;
    }
    void TearDown() override { setYesNoBox(previous); }
    yesNoBox previous = nullptr;
};

TEST_F(assertionTest, BoxShowsTheFailedCheckAndYesCarriesOn) {
    assertFail("heap", "GUI\\SRCPC\\WMALLOC", 791);
    EXPECT_EQ(boxCalls, 1);
    EXPECT_EQ(lastBox.caption, "Assertion Failure");
    EXPECT_EQ(lastBox.text, "heap == 0: GUI\\SRCPC\\WMALLOC, line 791.  Continue?");
    EXPECT_EQ(lastBox.style, 0x2124u);
}

TEST_F(assertionTest, CheckMacroPassesExpressionModuleAndLine) {
    const int zero = 0;
    vekCheck(zero, "MOD");
    const int line = __LINE__ - 1;
    EXPECT_EQ(lastBox.text, "zero == 0: MOD, line " + std::to_string(line) + ".  Continue?");
    vekCheck(zero + 1, "MOD");
    EXPECT_EQ(boxCalls, 1);
}

TEST_F(assertionTest, AnswerCodes) {
    const struct { int box; int expected; } cases[] = {{6, 701}, {7, 702}, {2, 2}, {0, 0}};
    for (const auto& c : cases) {
        boxAnswer = c.box;
        EXPECT_EQ(askYesNo("c", "t"), c.expected) << c.box;
    }
}

TEST_F(assertionTest, LongMessagesAreCutToTheBuffer) {
    const std::string expr(2000, 'e');
    assertFail(expr.c_str(), "M", 1);
    EXPECT_EQ(lastBox.text, expr.substr(0, 1023));
}

using assertionDeathTest = assertionTest;

TEST_F(assertionDeathTest, NoEndsTheProgramWithExitCode3) {
    EXPECT_EXIT(
        {
            setYesNoBox(fakeBox);
            boxAnswer = 7;
            assertFail("heap", "GUI\\SRCPC\\WMALLOC", 791);
        },
        ::testing::ExitedWithCode(3), "Assertion failed: heap, file GUI\\\\SRCPC\\\\WMALLOC, line 791");
}

TEST_F(assertionDeathTest, AnyOtherAnswerEndsItToo) {
    EXPECT_EXIT(
        {
            setYesNoBox(fakeBox);
            boxAnswer = 2;
            assertFail("x", "M", 5);
        },
        ::testing::ExitedWithCode(3), "Assertion failed: x, file M, line 5");
}

TEST_F(assertionDeathTest, RequireStopsWithoutAsking) {
    EXPECT_EXIT(vekRequire(1 == 2), ::testing::ExitedWithCode(3), "Assertion failed: 1 == 2, file ");
}

class debugPrintTest : public inTempDir {
protected:
    void TearDown() override {
        setEnv("DEBUGPRINT", nullptr);
        inTempDir::TearDown();
    }
};

TEST_F(debugPrintTest, DefaultFileIsAppended) {
    setEnv("DEBUGPRINT", nullptr);
    debugPrint("16 byte heap error code: %d\n\n", 8);
    debugPrint("%s", "more");
    EXPECT_EQ(readBytes("z80.dbg"), platformText("16 byte heap error code: 8\n\nmore"));
}

TEST_F(debugPrintTest, NamedFileAndItsFallback) {
    setEnv("DEBUGPRINT", "trace.log");
    debugPrint("a%d", 1);
    EXPECT_EQ(readBytes("trace.log"), "a1");
    setEnv("DEBUGPRINT", "no-such-dir/trace.log");
    debugPrint("b%d", 2);
    EXPECT_EQ(readBytes("z80.dbg"), "b2");
}

TEST_F(debugPrintTest, StdoutInAnyLetterCase) {
    setEnv("DEBUGPRINT", "StdOut");
    ::testing::internal::CaptureStdout();
    debugPrint("to %s\n", "stdout");
    std::string out = ::testing::internal::GetCapturedStdout();
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
    EXPECT_EQ(out, "to stdout\n");
    EXPECT_FALSE(fileExists("z80.dbg"));
    EXPECT_FALSE(fileExists("StdOut"));
}

TEST_F(debugPrintTest, DebugWindowTouchesNoFile) {
    setEnv("DEBUGPRINT", "DebugWindow");
    debugPrint("for the debugger %d", 3);
    EXPECT_FALSE(fileExists("z80.dbg"));
    EXPECT_FALSE(fileExists("DebugWindow"));
}

}  // namespace
