// Both: expand followed by compress of the written list, in place.
#include <gtest/gtest.h>

#include <string>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/ops/both.h"
#include "engine/format/libKind.h"

namespace {

class roundTripTest : public inTempDir {
protected:
    memoryLog log;
};

TEST_F(roundTripTest, BothRepairsABadIndex) {
    writeBytes("lib.slb", "*version 6.3 7\n@index\nsymloc A 5 5\n*symbol  A\nL1\n*symbol B\n");
    ASSERT_EQ(bothLibrary(symbolKind, "lib.slb", log), 0);
    EXPECT_EQ(readBytes("lib.slb").substr(readBytes("lib.slb").find('\n') + 1),
              "@index\nsymloc A 0 13\nsymloc B 13 10\n*symbol A\nL1\n*symbol B\n");
}

TEST_F(roundTripTest, BothStopsWhenExpandFails) {
    const std::string broken = "*version 6.3 0\nno index here\n";
    writeBytes("lib.slb", broken);
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log), 1);
    EXPECT_EQ(readBytes("lib.slb"), broken);
    EXPECT_EQ(joinLines(log.lines), "Expand: fatal error: no index\n");
}

}  // namespace
