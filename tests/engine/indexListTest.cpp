#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/indexList.h"
#include "engine/libKind.h"

namespace {

indexEntry* entry(const std::string& name, std::int32_t pos, std::int32_t len,
                  const std::string& extra = "") {
    entryFields f;
    f.name = name;
    f.position = pos;
    f.length = len;
    f.extraText = extra;
    return makeEntry(f);
}

class indexListTest : public ::testing::Test {
protected:
    void SetUp() override { setCurrentKind(*kindForButton(DLG_BUTTON1)); }
    indexList list;
    memoryLog log;
};

TEST_F(indexListTest, MakeEntryKeepsOnlyWhatIsPresent) {
    const std::string empty;
    entryFields f;
    f.name = "N";
    f.commaPart = &empty;
    f.akoName = "ignored";
    std::unique_ptr<indexEntry> e(makeEntry(f));
    using part = std::optional<std::string_view>;
    EXPECT_EQ(e->name(), "N");
    EXPECT_EQ(e->commaPart(), part(""));
    EXPECT_EQ(e->semicolonPart(), std::nullopt);
    EXPECT_EQ(e->akoName(), std::nullopt);
    EXPECT_EQ(e->extraText(), std::nullopt);
    EXPECT_EQ(e->hits, 0u);
    const std::string semi = "s;t";
    f.semicolonPart = &semi;
    f.hasAko = true;
    f.extraText = "x y";
    e.reset(makeEntry(f));
    EXPECT_EQ(e->name(), "N");
    EXPECT_EQ(e->commaPart(), part(""));
    EXPECT_EQ(e->semicolonPart(), part("s;t"));
    EXPECT_EQ(e->akoName(), part("ignored"));
    EXPECT_EQ(e->extraText(), part("x y"));
    f.akoName.clear();
    e.reset(makeEntry(f));
    EXPECT_EQ(e->akoName(), part(""));
}

TEST_F(indexListTest, FindAndLookupAlwaysGiveTheFirstOfAName) {
    list.append(entry("A", 0, 10, "first"));
    list.append(entry("B", 10, 5));
    list.append(entry("A", 15, 7, "second"));
    EXPECT_EQ(list.find("A"), list.first);
    EXPECT_EQ(list.find("a"), nullptr);
    std::int32_t pos = -1, len = -1;
    std::string extra;
    EXPECT_TRUE(list.lookup("A", pos, len, extra));
    EXPECT_TRUE(list.lookup("A", pos, len, extra));
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(len, 10);
    EXPECT_EQ(extra, "first");
    EXPECT_EQ(list.first->hits, 2u);
    EXPECT_EQ(list.last->hits, 0u);
    EXPECT_FALSE(list.lookup("C", pos, len, extra));
}

TEST_F(indexListTest, ClearEmptiesListAndNames) {
    list.append(entry("A", 0, 1));
    list.clear();
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.find("A"), nullptr);
    list.append(entry("B", 0, 1));
    EXPECT_EQ(list.first, list.last);
}

TEST_F(indexListTest, CheckIndexLinesInOrder) {
    list.append(entry("NONE", 0, 0));
    list.append(entry("ONE", 0, 5));
    list.append(entry("TWO", 0, 0));
    list.append(entry("ZERO", 0, 0));
    list.first->next->hits = 1;
    list.first->next->next->hits = 2;
    list.last->hits = 1;
    EXPECT_EQ(list.checkIndex(log), 1);
    EXPECT_EQ(joinLines(log.lines),
              "--- Index entry NONE has no symbol\n"
              "--- Index entry NONE has zero length\n"
              "--- Index entry TWO has multiple symbols\n"
              "--- Index entry TWO has zero length\n"
              "--- Index entry ZERO has zero length\n");
}

TEST_F(indexListTest, ZeroLengthAloneDoesNotFailTheCheck) {
    list.append(entry("Z", 0, 0));
    list.first->hits = 1;
    EXPECT_EQ(list.checkIndex(log), 0);
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(indexListTest, CheckIndexUsesTheKindName) {
    setCurrentKind(*kindForButton(DLG_BUTTON3));
    list.append(entry("F", 0, 3));
    list.append(entry("G", 3, 3));
    list.last->hits = 3;
    list.checkIndex(log);
    EXPECT_EQ(joinLines(log.lines),
              "--- Index entry F has no footprint\n--- Index entry G has multiple footprints\n");
}

TEST_F(indexListTest, IndexLineAndHeaderForms) {
    const std::string r1 = "R1", x = "X";
    entryFields f;
    f.name = "RES";
    f.commaPart = &r1;
    f.semicolonPart = &x;
    f.position = 29;
    f.length = 34;
    f.extraText = "resistor part";
    f.hasAko = true;
    f.akoName = "BASE";
    std::unique_ptr<indexEntry> e(makeEntry(f));
    EXPECT_EQ(formatIndexLine(*e), "symloc RES,R1;X:BASE 29 34 resistor part\n");
    EXPECT_EQ(formatHeader(*e), "*symbol RES,R1;X resistor part ako BASE\n");
    std::unique_ptr<indexEntry> plain(entry("P", -1, 2147483647));
    EXPECT_EQ(formatIndexLine(*plain), "symloc P -1 2147483647\n");
    setCurrentKind(*kindForButton(DLG_BUTTON2));
    EXPECT_EQ(formatHeader(*plain), "*package P\n");
}

}  // namespace
