#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/componentFile.h"

namespace {

struct storedCase {
    std::string piece;
    const char* stored;  // null: dropped
};

class storedFormTable : public ::testing::TestWithParam<storedCase> {};

TEST_P(storedFormTable, Normalises) {
    const storedCase& c = GetParam();
    std::optional<std::string> s = storedForm(c.piece);
    if (!c.stored) {
        EXPECT_FALSE(s.has_value()) << c.piece;
    } else {
        ASSERT_TRUE(s.has_value()) << c.piece;
        EXPECT_EQ(*s, c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, storedFormTable, ::testing::Values(
    storedCase{"L1\n", "L1"},
    storedCase{"L1   \t \n", "L1"},
    storedCase{"L1\x1a\x1a\n", "L1"},
    storedCase{"  lead\n", "  lead"},
    storedCase{"A\rB\n", "A"},
    storedCase{"A \rB\n", "A"},
    storedCase{"L1\r\n", "L1"},
    storedCase{"no line end", "no line end"},
    storedCase{"\n", nullptr},
    storedCase{" \t\x1a\r\n", nullptr},
    storedCase{"", nullptr},
    storedCase{"\rtext\n", nullptr},
    storedCase{"mid\tdle \tend\n", "mid\tdle \tend"}));

struct listCase {
    const char* piece;
    const char* path;
};

class listEntryTable : public ::testing::TestWithParam<listCase> {};

TEST_P(listEntryTable, Path) {
    EXPECT_EQ(listEntryPath(GetParam().piece), GetParam().path) << GetParam().piece;
}

INSTANTIATE_TEST_SUITE_P(Cases, listEntryTable, ::testing::Values(
    listCase{"and2.sym\n", "and2.sym"},
    listCase{"and2.sym \tanything at all\n", "and2.sym"},
    listCase{"and2.sym\tAND2\n", "and2.sym"},
    listCase{" and2.sym\n", ""},
    listCase{"\n", ""},
    listCase{"last", "last"},
    listCase{"crlf.sym\r\n", "crlf.sym"},
    listCase{"dir/sub dir.sym\n", "dir/sub"}));

TEST(listPathFor, CutsAtTheFirstDot) {
    for (const auto& [path, list] : {std::pair{"parts.slb", "parts.lst"}, {"D:\\V1.2\\parts.slb", "D:\\V1.lst"},
                                      {"noext", "noext.lst"}, {"a.b.c", "a.lst"}}) {
        EXPECT_EQ(listPathFor(path), list);
    }
}

// Drives the collision rule with a set of taken names.
std::vector<std::string> namesTried(const std::string& base, std::size_t takenCount,
                                    std::optional<std::string>& chosen) {
    std::vector<std::string> tried;
    chosen = firstFreeName(base, ".sym", [&](const std::string& n) {
        tried.push_back(n);
        return tried.size() <= takenCount;
    });
    return tried;
}

TEST(collisionRule, OdometerWithCarries) {
    std::optional<std::string> chosen;
    std::vector<std::string> tried = namesTried("AND2", 100000, chosen);
    EXPECT_FALSE(chosen.has_value());
    ASSERT_EQ(tried.size(), 18279u);
    const std::pair<std::size_t, const char*> expected[] = {{0, "AND2.sym"},   {1, "ANDa.sym"},   {26, "ANDz.sym"},
                                                             {27, "ANaa.sym"},  {28, "ANab.sym"},  {53, "ANba.sym"},
                                                             {702, "ANzz.sym"}, {703, "Aaaa.sym"}, {18278, "Azzz.sym"}};
    for (const auto& [i, name] : expected) EXPECT_EQ(tried[i], name) << i;
    EXPECT_EQ(std::set<std::string>(tried.begin(), tried.end()).size(), tried.size());
}

TEST(collisionRule, ShortBaseNamesTurnOnlyTheirOwnCharacters) {
    std::optional<std::string> chosen;
    std::vector<std::string> two = namesTried("AB", 100000, chosen);
    EXPECT_FALSE(chosen);
    ASSERT_EQ(two.size(), 1u + 26u + 676u);
    EXPECT_EQ(two[1], "Aa.sym");
    EXPECT_EQ(two[27], "aa.sym");
    EXPECT_EQ(two.back(), "zz.sym");
    std::vector<std::string> one = namesTried("Q", 100000, chosen);
    ASSERT_EQ(one.size(), 27u);
    EXPECT_EQ(one[1], "a.sym");
    EXPECT_EQ(one.back(), "z.sym");
    EXPECT_EQ(namesTried("", 100000, chosen).size(), 1u);
    EXPECT_FALSE(chosen);
}

using componentFileNameTest = inTempDir;

TEST_F(componentFileNameTest, NamesUsableOnEveryPlatform) {
    const struct {
        std::string name;
        const char* file;
    } cases[] = {
        {"ABCDEFGHIJ", "CDEFGHIJ.sym"}, {"A.B", "A_B.sym"}, {"A/B", "A_B.sym"}, {"a\\b+c", "a_b_c.sym"},
        {"A<B>C", "A_B_C.sym"}, {"Q?*|\"", "Q____.sym"}, {std::string("T\x01\x1fX"), "T__X.sym"},
        {"CON", "COa.sym"}, {"con", "coa.sym"}, {"Nul", "Nua.sym"}, {"PRN", "PRa.sym"}, {"aux", "aua.sym"},
        {"COM1", "COMa.sym"}, {"lpt9", "lpta.sym"}, {"CONIN$", "CONINa.sym"}, {"CONOUT$", "CONOUTa.sym"},
        {"XXXXXCOM0", "XXXXCOM0.sym"}, {"CONSOLE", "CONSOLE.sym"}, {"COM10", "COM10.sym"}, {"LPTX", "LPTX.sym"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(componentFileName(c.name, symbolKind), std::optional<std::string>(c.file)) << c.name;
    }
    EXPECT_EQ(componentFileName("F1", footprintKind), std::optional<std::string>("F1.fpd"));
    EXPECT_FALSE(componentFileName("", symbolKind));
    EXPECT_TRUE(isDeviceName("con.sym.bak"));
}

TEST_F(componentFileNameTest, ExistingWritableFilesAreTakenReadOnlyAreFree) {
    const libKind& pkg = packageKind;
    writeBytes("DIP8.pkg", "x");
    EXPECT_EQ(componentFileName("DIP8", pkg), std::optional<std::string>("DIPa.pkg"));
    writeBytes("DIPa.pkg", "x");
    EXPECT_EQ(componentFileName("DIP8", pkg), std::optional<std::string>("DIPb.pkg"));
    setReadOnly("DIP8.pkg", true);
    EXPECT_EQ(componentFileName("DIP8", pkg), std::optional<std::string>("DIP8.pkg"));
}

}  // namespace
