#include <gtest/gtest.h>

#include <string>

#include "common/fileText.h"
#include "engine/format/indexList.h"

namespace {

entryFields fields(const std::string& name, std::int32_t pos, std::int32_t len) {
    entryFields f;
    f.name = name;
    f.position = pos;
    f.length = len;
    return f;
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
