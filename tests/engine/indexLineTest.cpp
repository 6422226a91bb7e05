#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/format/indexLine.h"

namespace {

const char* const absent = "<absent>";
std::string show(const std::optional<std::string>& s) { return s ? *s : absent; }

struct splitCase {
    const char* word;
    const char* name;
    const char* comma;
    const char* semicolon;
    const char* ako;
};

class splitIndexNameTable : public ::testing::TestWithParam<splitCase> {};

TEST_P(splitIndexNameTable, Pieces) {
    const splitCase& c = GetParam();
    const entryFields w = *parseIndexLine(std::string("symloc ") + c.word + " 0 0\n");
    EXPECT_EQ(w.name, c.name) << c.word;
    EXPECT_EQ(show(w.commaPart), c.comma) << c.word;
    EXPECT_EQ(show(w.semicolonPart), c.semicolon) << c.word;
    EXPECT_EQ(show(w.akoName), c.ako) << c.word;
}

INSTANTIATE_TEST_SUITE_P(Cases, splitIndexNameTable, ::testing::Values(
    splitCase{"RES,R1;X:BASE", "RES", "R1", "X", "BASE"},
    splitCase{"A;B", "A", absent, "B", absent},
    splitCase{"A:", "A", absent, absent, ""},
    splitCase{"AND2:GATE2", "AND2", absent, absent, "GATE2"},
    splitCase{"A:B,C", "A:B", "C", absent, absent},
    splitCase{"A,B:C", "A", "B", absent, "C"},
    splitCase{"A;B,C", "A;B", "C", absent, absent},
    splitCase{"A,;", "A", "", "", absent},
    splitCase{"A,B;C;D:E:F", "A", "B", "C;D", "E:F"},
    splitCase{"PLAIN", "PLAIN", absent, absent, absent}));

TEST(parseIndexLine, ExampleLines) {
    auto a = parseIndexLine("symloc AND2:GATE2 0 29\n");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->name, "AND2");
    EXPECT_EQ(show(a->akoName), "GATE2");
    EXPECT_EQ(a->position, 0);
    EXPECT_EQ(a->length, 29);
    EXPECT_EQ(a->extraText, std::nullopt);

    auto b = parseIndexLine("symloc RES,R1;X 29 34 resistor part\n");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->position, 29);
    EXPECT_EQ(b->length, 34);
    EXPECT_EQ(b->extraText.value_or("<absent>"), "resistor part");
}

TEST(parseIndexLine, ExtraTextKeepsBlanksAndStopsAt100) {
    EXPECT_EQ(parseIndexLine("symloc A 1 2    two  words  \n")->extraText.value_or("<absent>"), "two  words  ");
    const std::string long150(150, 'e');
    EXPECT_EQ(parseIndexLine("symloc A 1 2 " + long150 + "\n")->extraText.value_or("<absent>"), std::string(100, 'e'));
    EXPECT_EQ(parseIndexLine("symloc A 1 2 x\ry\n")->extraText.value_or("<absent>"), "x");
    EXPECT_EQ(parseIndexLine("symloc A 1 2x\n")->extraText.value_or("<absent>"), "x");
}

TEST(parseIndexLine, UnreadableLinesGiveNothing) {
    for (const char* line : {"symloc\n", "symloc A\n", "symloc A 1\n", "symloc A x 2\n",
                             "symloc A 1 -\n", "symloc  \n", "symloc A 1 +\n"}) {
        EXPECT_FALSE(parseIndexLine(line).has_value()) << line;
    }
}

TEST(parseIndexLine, NumbersSaturateAtTheSignedRange) {
    auto big = parseIndexLine("symloc A 99999999999999999999 -99999999999\n");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->position, INT_MAX);
    EXPECT_EQ(big->length, INT_MIN);
    auto edge = parseIndexLine("symloc A 2147483647 -2147483648\n");
    EXPECT_EQ(edge->position, INT_MAX);
    EXPECT_EQ(edge->length, INT_MIN);
    EXPECT_EQ(parseIndexLine("symloc A +7 -0\n")->position, 7);
}

TEST(parseIndexLine, NulEndsTheLine) {
    EXPECT_FALSE(parseIndexLine(std::string("symloc A\0 1 2\n", 14)).has_value());
}

}  // namespace
