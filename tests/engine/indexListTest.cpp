#include <gtest/gtest.h>

#include <string>

#include "common/fileText.h"
#include "engine/format/header.h"
#include "engine/format/indexLine.h"
#include "engine/format/indexList.h"

namespace {

entryFields fields(const std::string& name, std::int32_t pos, std::int32_t len, const std::string& extra = "") {
    entryFields f;
    f.name = name;
    f.position = pos;
    f.length = len;
    f.extraText = extra;
    return f;
}

using part = std::optional<std::string_view>;

TEST(indexList, FindAndLookupAlwaysGiveTheFirstOfAName) {
    indexList list;
    list.append(fields("A", 0, 10, "first"));
    list.append(fields("B", 10, 5));
    list.append(fields("A", 15, 7, "second"));
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
    list.clear();
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.find("A"), nullptr);
}

TEST(indexList, CheckIndexLinesInOrderWithTheKindName) {
    indexList list;
    for (const char* name : {"NONE", "TWO", "ZERO"}) list.append(fields(name, 0, 0));
    list.append(fields("F", 0, 3));
    list.first->next->hits = 2;
    list.first->next->next->hits = 1;
    list.last->hits = 3;
    memoryLog log;
    EXPECT_EQ(list.checkIndex(log, "footprint"), 1);
    EXPECT_EQ(joinLines(log.lines),
              "--- Index entry NONE has no footprint\n"
              "--- Index entry NONE has zero length\n"
              "--- Index entry TWO has multiple footprints\n"
              "--- Index entry TWO has zero length\n"
              "--- Index entry ZERO has zero length\n"
              "--- Index entry F has multiple footprints\n");
    indexList zeroOnly;
    zeroOnly.append(fields("Z", 0, 0));
    zeroOnly.first->hits = 1;
    EXPECT_EQ(zeroOnly.checkIndex(log, "symbol"), 0);
}

}  // namespace
