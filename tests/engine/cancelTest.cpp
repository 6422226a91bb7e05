// An operation asked to stop stops before its next part: compress leaves the
// library as it was, expand keeps what it wrote and names it in the list,
// and both compresses nothing.
#include <atomic>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/testDir.h"
#include "engine/format/libKind.h"
#include "engine/ops/both.h"
#include "engine/ops/compress.h"
#include "engine/ops/expand.h"
#include "engine/ops/parts.h"

namespace {

namespace fs = std::filesystem;

std::atomic<int> stop = 0;
std::vector<long long> seen;
bool threads = false;

// Asks to stop once the first part is done, as Ctrl+C would.
runControl stopAfterFirst() {
    stop = 0;
    seen.clear();
    runControl control;
    control.readAhead = threads;
    control.writeBehind = threads;
    control.stop = &stop;
    control.progress = [](void*, long long done, long long total) {
        seen.push_back(done * 1000 + total);
        stop = 1;
    };
    return control;
}

// The program runs everything on one thread, the tool on two: both ways.
class cancelTest : public inTempDir, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        threads = GetParam();
    }
};

TEST_P(cancelTest, EachOperationStopsBeforeItsNextPart) {
    const std::string lib = readBytes(dataFile("example.slb"));
    writeBytes("lib.slb", lib);
    runControl control = stopAfterFirst();
    stop = 1;
    memoryLog log;
    EXPECT_EQ(expandLibrary(symbolKind, "lib.slb", log, &control), opResult::cancelled);
    EXPECT_EQ(joinLines(log.lines), "\nExpand: --- CANCELLED ---\n\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1) << "a stop before the start writes nothing";
    control = stopAfterFirst();
    log.lines.clear();
    EXPECT_EQ(expandLibrary(symbolKind, "lib.slb", log, &control), opResult::cancelled);
    EXPECT_EQ(joinLines(log.lines), "Expand: Writing AND2    to    AND2.sym\n\nExpand: --- CANCELLED ---\n\n");
    EXPECT_EQ(seen, std::vector<long long>{1002}) << "one of two parts";
    EXPECT_EQ(readBytes("lib.lst"), platformText("AND2.sym \tAND2\n"));
    EXPECT_FALSE(fileExists("RES.sym"));

    writeText("res.sym", "*symbol RES\nL\n");
    writeText("both.lst", "AND2.sym\nres.sym\n");
    control = stopAfterFirst();
    compressProbe probe;
    probe.control = &control;
    log.lines.clear();
    EXPECT_EQ(compressLibrary(symbolKind, "both.lst", "lib.slb", true, log, &probe), opResult::cancelled);
    EXPECT_EQ(joinLines(log.lines), "Compress: got symbol \"AND2\"\n\nCompress: --- CANCELLED ---\n\n");
    EXPECT_EQ(readBytes("lib.slb"), lib);
    EXPECT_TRUE(fileExists("AND2.sym")) << "nothing removed";

    fs::remove("AND2.sym");
    const runControl again = stopAfterFirst();
    log.lines.clear();
    EXPECT_EQ(bothLibrary(symbolKind, "lib.slb", log, &again), opResult::cancelled);
    EXPECT_EQ(log.lines.back().empty() ? log.lines[log.lines.size() - 2] : "", "Expand: --- CANCELLED ---");
    EXPECT_EQ(readBytes("lib.slb"), lib);
    const auto here = std::distance(fs::directory_iterator("."), fs::directory_iterator());
    EXPECT_EQ(here, 5) << "lib.slb, lib.lst, AND2.sym, res.sym, both.lst: no work or staging file";

    for (const char* edit : {"Add", "Delete"}) {
        const runControl stopping = stopAfterFirst();
        log.lines.clear();
        const opResult result = edit[0] == 'A' ? addParts(symbolKind, "lib.slb", {"res.sym"}, log, &stopping)
                                               : deleteParts(symbolKind, "lib.slb", {"RES"}, log, &stopping);
        EXPECT_EQ(result, opResult::cancelled);
        EXPECT_EQ(joinLines(log.lines), "\n" + std::string(edit) + ": --- CANCELLED ---\n\n");
        EXPECT_EQ(seen, std::vector<long long>{1002});
        EXPECT_EQ(readBytes("lib.slb"), lib);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), here) << "no staging file";
}

INSTANTIATE_TEST_SUITE_P(Threads, cancelTest, ::testing::Values(true, false));

}  // namespace
