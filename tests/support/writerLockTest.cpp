// The writers' lock on its own: shared by the nested writers of one thread,
// waited for by any other, told of once while waiting, given up when the
// wait runs out, and free again once released.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <string>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "common/fileText.h"
#include "common/testDir.h"
#include "support/platform/writerLock.h"

namespace {

using platform::writerLock;
using writerLockTest = inTempDir;

void countCall(void* calls) { ++*static_cast<int*>(calls); }

// Holds the lock on path on a thread of its own until released.
class otherWriter {
public:
    explicit otherWriter(const std::string& path)
        : thread([this, path] {
              writerLock lock;
              got.set_value(lock.acquire(path, 0, nullptr, nullptr));
              done.get_future().wait();
          }) {}
    ~otherWriter() { release(); }
    writerLock::outcome outcome() { return got.get_future().get(); }
    void release() {
        if (!thread.joinable()) return;
        done.set_value();
        thread.join();
    }

private:
    std::promise<writerLock::outcome> got;
    std::promise<void> done;
    std::thread thread;
};

TEST_F(writerLockTest, NestsInOneThreadAndMakesOthersWait) {
    for (const std::string path : {"lib.slb", "missing.slb"}) {  // a missing library: its folder is locked
        if (path == "lib.slb") writeBytes(path, "x");
        writerLock outer, inner;
        int waits = 0;
        ASSERT_EQ(outer.acquire(path, 0, countCall, &waits), writerLock::outcome::locked);
        EXPECT_EQ(inner.acquire(path, 0, countCall, &waits), writerLock::outcome::locked) << "nested";
        inner.release();
        otherWriter other(path);
        EXPECT_EQ(other.outcome(), writerLock::outcome::timedOut) << path;
        outer.release();
        writerLock again;
        EXPECT_EQ(again.acquire(path, 0, countCall, &waits), writerLock::outcome::locked) << path;
        EXPECT_EQ(waits, 0);
    }
}

TEST_F(writerLockTest, AWaiterIsToldOnceAndGivesUpInTime) {
    writeBytes("lib.slb", "x");
    otherWriter other("lib.slb");
    ASSERT_EQ(other.outcome(), writerLock::outcome::locked);
    writerLock lock;
    int waits = 0;
    EXPECT_EQ(lock.acquire("lib.slb", 0.3, countCall, &waits), writerLock::outcome::timedOut);
    EXPECT_EQ(waits, 1);
    other.release();
    EXPECT_EQ(lock.acquire("lib.slb", 0.3, countCall, &waits), writerLock::outcome::locked);
    EXPECT_EQ(waits, 1);
}

#ifndef _WIN32
// A waiter that got the lock checks that the name still leads to the file it
// locked: a writer may have renamed a new library over it meanwhile.
TEST_F(writerLockTest, ANewFileUnderTheNameIsAnotherFile) {
    writeBytes("lib.slb", "old");
    const int fd = ::open("lib.slb", O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(platform::namesOpenFile("lib.slb", fd));
    writeBytes("new.slb", "new");
    std::filesystem::rename("new.slb", "lib.slb");
    EXPECT_FALSE(platform::namesOpenFile("lib.slb", fd)) << "same device, another inode";
    std::filesystem::remove("lib.slb");
    EXPECT_FALSE(platform::namesOpenFile("lib.slb", fd)) << "nothing under the name";
    ::close(fd);
}

// Windows names its lock after the path, whatever the path holds.
TEST_F(writerLockTest, NoLockWhereNothingCanBeOpened) {
    writerLock lock;
    EXPECT_EQ(lock.acquire("no/such/folder/lib.slb", 0, nullptr, nullptr), writerLock::outcome::unavailable);
}
#endif

}  // namespace
