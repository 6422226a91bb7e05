#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/format/indexLine.h"
#include "engine/format/indexList.h"

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

struct lineCase {
    std::string line;
    std::int32_t position;
    std::int32_t length;
    const char* extra;
};

class parseIndexLineTable : public ::testing::TestWithParam<lineCase> {};

TEST_P(parseIndexLineTable, NumbersAndExtraText) {
    const lineCase& c = GetParam();
    const std::optional<entryFields> f = parseIndexLine(c.line);
    ASSERT_TRUE(f) << c.line;
    EXPECT_EQ(f->position, c.position) << c.line;
    EXPECT_EQ(f->length, c.length) << c.line;
    EXPECT_EQ(show(f->extraText), c.extra) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Cases, parseIndexLineTable, ::testing::Values(
    lineCase{"symloc AND2:GATE2 0 29\n", 0, 29, absent},
    lineCase{"symloc RES,R1;X 29 34 resistor part\n", 29, 34, "resistor part"},
    lineCase{"symloc A 1 2    two  words  \n", 1, 2, "two  words  "},
    lineCase{"symloc A 1 2 " + std::string(150, 'e') + "\n", 1, 2, "eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee"},
    lineCase{"symloc A 1 2 x\ry\n", 1, 2, "x"},
    lineCase{"symloc A 1 2x\n", 1, 2, "x"},
    lineCase{"symloc A 99999999999999999999 -99999999999\n", INT_MAX, INT_MIN, absent},
    lineCase{"symloc A 2147483647 -2147483648\n", INT_MAX, INT_MIN, absent},
    lineCase{"symloc A +7 -0\n", 7, 0, absent}));

TEST(parseIndexLine, UnreadableLinesGiveNothing) {
    for (const char* line : {"symloc\n", "symloc A\n", "symloc A 1\n", "symloc A x 2\n",
                             "symloc A 1 -\n", "symloc  \n", "symloc A 1 +\n"}) {
        EXPECT_FALSE(parseIndexLine(line).has_value()) << line;
    }
}

TEST(parseIndexLine, NulEndsTheLine) {
    EXPECT_FALSE(parseIndexLine(std::string("symloc A\0 1 2\n", 14)).has_value());
}

}  // namespace

// A name finds its first entry, whether it was appended before the first
// lookup or after (past the point where the table grows), among thousands.
TEST(indexList, ANameFindsItsFirstEntry) {
    indexList index;
    auto add = [&](const std::string& name, std::int32_t position) {
        entryFields f;
        f.name = name;
        f.position = position;
        index.append(f);
    };
    for (int i = 0; i < 5; ++i) add("R" + std::to_string(i), i);
    add("R2", 99);
    EXPECT_EQ(index.find("R2")->position, 2);
    EXPECT_EQ(index.find("R5"), nullptr);
    for (int i = 5; i < 3000; ++i) add("R" + std::to_string(i), i);
    add("R7", 99);
    add("", 100);
    for (int i = 0; i < 3000; ++i) {
        const indexEntry* e = index.find("R" + std::to_string(i));
        ASSERT_NE(e, nullptr) << i;
        EXPECT_EQ(e->position, i);
    }
    EXPECT_EQ(index.find("")->position, 100);
    EXPECT_EQ(index.find("R3000"), nullptr);
    index.clear();
    EXPECT_EQ(index.find("R2"), nullptr);
    add("R2", 5);
    EXPECT_EQ(index.find("R2")->position, 5);
}
