#include <gtest/gtest.h>

#include <string>

#include "engine/format/header.h"

namespace {

const char* const absent = "<absent>";

struct headerCase {
    std::string line;
    std::string name;
    const char* comma;
    const char* semicolon;
    std::string extra;
    const char* ako;
};

std::string show(const std::optional<std::string>& s) { return s ? *s : absent; }

class parseHeaderTable : public ::testing::TestWithParam<headerCase> {};

TEST_P(parseHeaderTable, Fields) {
    const headerCase& c = GetParam();
    std::optional<entryFields> h = parseHeader(c.line, "*symbol");
    ASSERT_TRUE(h.has_value()) << c.line;
    EXPECT_EQ(h->name, c.name) << c.line;
    EXPECT_EQ(show(h->commaPart), c.comma) << c.line;
    EXPECT_EQ(show(h->semicolonPart), c.semicolon) << c.line;
    EXPECT_EQ(show(h->extraText), c.extra) << c.line;
    EXPECT_EQ(show(h->akoName), c.ako) << c.line;
}

INSTANTIATE_TEST_SUITE_P(Examples, parseHeaderTable, ::testing::Values(
    headerCase{"*symbol AND2 ako GATE2\n", "AND2", absent, absent, absent, "GATE2"},
    headerCase{"*symbol RES,R1;X resistor part\n", "RES", "R1", "X", "resistor part", absent},
    headerCase{"*symbol NOR3 three input ako GATE3\n", "NOR3", absent, absent, "three input ako", absent},
    headerCase{"*symbol NOR3 three ako GATE3\n", "NOR3", absent, absent, "three", "GATE3"},
    headerCase{"*SYMBOL Q1\n", "Q1", absent, absent, absent, absent},
    headerCase{"*symbol U7 ako\n", "U7", absent, absent, absent, absent},
    headerCase{"*symbol U7 three ako\n", "U7", absent, absent, "three ako", absent},
    headerCase{"*symbol U7 AKO G\n", "U7", absent, absent, absent, "G"},
    headerCase{"*symbol U7 x akorn G\n", "U7", absent, absent, "x", "G"},
    headerCase{"*symbol A ako B C\n", "A", absent, absent, absent, "B"},
    headerCase{"*symbol A b c d e f\n", "A", absent, absent, "b c d", absent},
    headerCase{"*symbol A;B\n", "A", absent, "B", absent, absent},
    headerCase{"*symbol A;B,C\n", "A;B", "C", absent, absent, absent},
    headerCase{"*symbol A,B;C;D\n", "A", "B", "C;D", absent, absent},
    headerCase{"*symbol A,\n", "A", "", absent, absent, absent},
    headerCase{"*symbol A:B\n", "A:B", absent, absent, absent, absent},
    headerCase{"*symbolic X\n", "ic", absent, absent, "X", absent},
    headerCase{"*symbol\t  R2 \t two\r\n", "R2", absent, absent, "two", absent},
    headerCase{"*symbol\n", "", absent, absent, absent, absent},
    headerCase{"*symbol N " + std::string(150, 'w') + "\n", "N", absent, absent,
               std::string(100, 'w') + " " + std::string(50, 'w'), absent},
    headerCase{"*symbol " + std::string(300, 'n') + " x\n", std::string(300, 'n'), absent, absent, "x", absent}));

TEST(parseHeader, BadFirstLines) {
    for (const char* line : {"", "symbol A\n", "*symbo\n", " *symbol A\n", "*package A\n"}) {
        EXPECT_FALSE(parseHeader(line, "*symbol").has_value()) << line;
    }
    EXPECT_TRUE(parseHeader("*Package P\n", "*package").has_value());
    EXPECT_TRUE(parseHeader("*FOOTPRINT F\n", "*footprint").has_value());
}

struct nameCase {
    const char* line;
    const char* name;
};

class componentNameTable : public ::testing::TestWithParam<nameCase> {};

TEST_P(componentNameTable, Name) {
    EXPECT_EQ(componentNameOf(GetParam().line, "*symbol"), GetParam().name) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Cases, componentNameTable, ::testing::Values(
    nameCase{"*symbol AND2 ako GATE2\n", "AND2"},
    nameCase{"*symbol RES,R1;X part\n", "RES"},
    nameCase{"*symbol A;B,C\n", "A;B"},
    nameCase{"*symbol A;B:C\n", "A"},
    nameCase{"*symbol A:B\n", "A"},
    nameCase{"*symbol \t  B2\n", "B2"},
    nameCase{"*symbolXNAME\n", "NAME"},
    nameCase{"*symbol\n", ""},
    nameCase{"*symbol", ""},
    nameCase{"*symbol   \n", ""}));

}  // namespace
