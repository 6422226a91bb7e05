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

TEST_F(assertionDeathTest, RequireStopsWithoutAsking) {
    EXPECT_EXIT(vekRequire(1 == 2, "KVLIB\\TEST"), ::testing::ExitedWithCode(3),
                "Assertion failed: 1 == 2, file KVLIB\\\\TEST, line ");
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

}  // namespace
