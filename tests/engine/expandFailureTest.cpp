// Expand on a full disk stops with a fatal error, so that Both never goes on
// to rebuild a library from parts that were only half written.
#include <gtest/gtest.h>

#include <string>

#include "common/fileText.h"
#include "common/limitedRun.h"
#include "common/testDir.h"
#include "engine/ops/both.h"
#include "engine/ops/expand.h"
#include "engine/format/libKind.h"

namespace {

class expandFailureTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        const std::string body(1000, 'b');
        data = "*symbol SMALL\nL\n*symbol BIG\n" + body + "\n" + body + "\n" + body + "\n";
        library = "*version 6.3 0\n@index\nsymloc SMALL 0 16\nsymloc BIG 16 3015\n" + data;
        writeBytes("lib.slb", library);
    }
    std::string data;
    std::string library;
};

TEST_F(expandFailureTest, LongPathsAndNamesAreLoggedWhole) {
    const std::string path(3000, 'p');
    memoryLog log;
    EXPECT_EQ(expandLibrary(symbolKind, path.c_str(), log), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Expand: fatal error: can't open library: " + path});
}

#ifndef _WIN32
TEST_F(expandFailureTest, FullDiskWhileWritingAComponent) {
    limitedRun r = runWithFileLimit(2500, [](logSink& log) {
        return expandLibrary(symbolKind, "lib.slb", log);
    });
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.log, "Expand: Writing SMALL    to    SMALL.sym\nExpand: Writing BIG    to    BIG.sym\n"
                     "Expand: fatal error: can't write: BIG.sym\n");
}

TEST_F(expandFailureTest, BothOnAFullDiskKeepsTheLibrary) {
    limitedRun r = runWithFileLimit(2500, [](logSink& log) {
        return bothLibrary(symbolKind, "lib.slb", log);
    });
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(readBytes("lib.slb"), library);
}
#endif

}  // namespace
