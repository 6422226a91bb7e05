#include <gtest/gtest.h>

#include <string>

#include "common/boxRecorder.h"
#include "support/miscfuns.h"
#include "support/assertion.h"

namespace {

struct cmpCase {
    const char* a;
    const char* b;
    int sign;  // -1, 0, 1
};

int signOf(int v) { return (v > 0) - (v < 0); }

class strCmpNoCaseTable : public ::testing::TestWithParam<cmpCase> {};

TEST_P(strCmpNoCaseTable, FoldsOnlyAtoZ) {
    const cmpCase& c = GetParam();
    EXPECT_EQ(signOf(strCmpNoCase(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
}

INSTANTIATE_TEST_SUITE_P(Cases, strCmpNoCaseTable,
    ::testing::Values(cmpCase{"abc", "ABC", 0}, cmpCase{"", "", 0}, cmpCase{"a", "", 1},
                      cmpCase{"", "a", -1}, cmpCase{"Abc", "abd", -1},
                      cmpCase{"*SYMBOL", "*symbol", 0}, cmpCase{"[", "{", -1},
                      cmpCase{"\xC4", "\xE4", -1}, cmpCase{"a", "\xC4", 1}, cmpCase{"\xFF", "z", -1}));

// At most n characters, A to Z folded, higher characters compared as they are;
// the whole comparison gives the difference of the first folded pair.
TEST(strNCmpNoCase, ComparesAtMostNAndFoldsOnlyAtoZ) {
    const struct { const char* a; const char* b; int n; int sign; } cases[] = {
        {"*SYMBOLX", "*symbol", 7, 0}, {"*SYMBOX", "*symbol", 7, 1}, {"abc", "abd", 2, 0}, {"anything", "else", 0, 0},
        {"ab", "abc", 3, -1}, {"a", "\xC4", 1, 1}, {"\xC4", "\xE4", 1, -1}, {"\xC4x", "\xC4X", 2, 0}};
    for (const auto& c : cases) EXPECT_EQ(signOf(strNCmpNoCase(c.a, c.b, c.n)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(strCmpNoCase("abc", "ABE"), 'c' - 'e');
    EXPECT_EQ(strCmpNoCase("ab", "abZ"), 0 - 'z');
}

// A fixed field is filled up to its last byte, which ends the text; the
// byte after the field is never written.
TEST(strCopyCut, FillsTheFieldAndNoMore) {
    const struct { const char* from; const char* kept; } cases[] = {{"abcdef", "abc"}, {"ab", "ab"}, {"", ""}};
    for (const auto& c : cases) {
        char buffer[5] = {'x', 'x', 'x', 'x', '!'};
        strCopyCut(buffer, c.from, 4);
        EXPECT_STREQ(buffer, c.kept) << c.from;
        EXPECT_EQ(buffer[4], '!') << c.from;
    }
}

TEST(strDup, NullIsReportedAndGivesNull) {
    boxRecorder boxes;
    EXPECT_EQ(strDup(nullptr), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("str == 0: UTILITY\\SRC\\MISCFUNS, line ", 0), 0u) << boxes.texts[0];
}

}  // namespace
