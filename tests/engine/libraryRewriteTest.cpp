// The library rewrite on its own: what keep, put and commit leave, and that
// a failed commit or a stop leaves the old library and no temporary file.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "common/fileText.h"
#include "common/limitedRun.h"
#include "common/testDir.h"
#include "engine/format/header.h"
#include "engine/format/libKind.h"
#include "engine/ops/inspect.h"
#include "engine/ops/libraryRewrite.h"

namespace {

namespace fs = std::filesystem;

class libraryRewriteTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        writeBytes("lib.slb", old);
    }
    // Only the library is left in the folder.
    void expectNothingElse() {
        for (const auto& entry : fs::directory_iterator(".")) EXPECT_EQ(entry.path().filename(), "lib.slb");
    }
    const std::string old = libraryOf({"*symbol A\nLA\n", "*symbol B\nLB\n", "*symbol C\nLC\n"});
    runControl control;
    memoryLog log;
};

// Keeps A, puts B2 in B's place, drops C and appends D: the library of
// those texts in that order, with a checksum that verify accepts.
TEST_F(libraryRewriteTest, KeepPutAndDropGiveTheLibraryOfWhatIsLeft) {
    for (bool guarded : {false, true}) {
        writeBytes("lib.slb", old);
        control.refuseDamage = guarded;
        std::vector<std::string> seen;
        {
            libraryRewrite rewrite(symbolKind, "lib.slb", "Edit", log, control);
            ASSERT_TRUE(rewrite.begin(false));
            const auto put = [&](const std::string& text) {
                rewrite.put(*parseHeader(text.substr(0, text.find('\n')), "*symbol"), text);
            };
            libraryPart part;
            while (rewrite.next(part)) {
                seen.push_back(part.name);
                if (part.name == "A") rewrite.keep(part);
                if (part.name == "B") put("*symbol B2\nNEW\n");
            }
            ASSERT_EQ(rewrite.finish(), opResult::done);
            put("*symbol D\nLD\n");
            ASSERT_TRUE(rewrite.commit());
        }
        EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C"}));
        EXPECT_EQ(readBytes("lib.slb"), libraryOf({"*symbol A\nLA\n", "*symbol B2\nNEW\n", "*symbol D\nLD\n"})) << guarded;
        EXPECT_EQ(verifyLibrary(symbolKind, "lib.slb", log), 0) << joinLines(log.lines);
        expectNothingElse();
    }
}

TEST_F(libraryRewriteTest, AStopLeavesTheOldLibrary) {
    std::atomic<int> stop{0};
    control.stop = &stop;
    {
        libraryRewrite rewrite(symbolKind, "lib.slb", "Edit", log, control);
        ASSERT_TRUE(rewrite.begin(false));
        libraryPart part;
        ASSERT_TRUE(rewrite.next(part));
        rewrite.keep(part);
        stop = 1;
        EXPECT_FALSE(rewrite.next(part));
        EXPECT_EQ(rewrite.finish(), opResult::cancelled);
    }
    EXPECT_EQ(joinLines(log.lines), "\nEdit: --- CANCELLED ---\n\n");
    EXPECT_EQ(readBytes("lib.slb"), old);
    expectNothingElse();
}

// Another thread's writer is another writer: the lock is not shared with it.
TEST_F(libraryRewriteTest, AnotherWriterHoldsTheLock) {
    std::promise<void> locked, done;
    std::thread other([&] {
        platform::writerLock lock;
        lock.acquire("lib.slb", 0, nullptr, nullptr);
        locked.set_value();
        done.get_future().wait();
    });
    locked.get_future().wait();
    control.lockWaitSeconds = 0;
    libraryRewrite rewrite(symbolKind, "lib.slb", "Edit", log, control);
    EXPECT_FALSE(rewrite.hold());
    EXPECT_EQ(rewrite.finish(), opResult::failed);
    done.set_value();
    other.join();
    EXPECT_EQ(joinLines(log.lines), "Edit: fatal error: library is locked by another writer: lib.slb\n");
}

#ifndef _WIN32
TEST_F(libraryRewriteTest, AFailedCommitLeavesTheOldLibrary) {
    const limitedRun r = runWithFileLimit(40, [this](logSink& sink) {
        libraryRewrite rewrite(symbolKind, "lib.slb", "Edit", sink, control);
        if (!rewrite.begin(false)) return 2;
        libraryPart part;
        while (rewrite.next(part)) rewrite.keep(part);
        if (rewrite.finish() != opResult::done) return 3;
        return rewrite.commit() ? 0 : 1;
    });
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.log, "Edit: fatal error: can't write library: lib.slb\n");
    EXPECT_EQ(readBytes("lib.slb"), old);
    expectNothingElse();
}
#endif

}  // namespace
