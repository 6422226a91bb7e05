#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/fileText.h"
#include "common/boxRecorder.h"
#include "common/testDir.h"
#include "support/assertion.h"
#include "support/ipcMsg.h"
#include "support/shareMem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

namespace {

constexpr unsigned testMessage = 0xC123;
constexpr std::size_t buffers = NumOfEntries + 1;

// A private shared area with its free table and mutex, as a set-up of the
// sending side would make it.
class ipcTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        area.reset(new ipcMsg[buffers]());
        flags.assign(buffers, 0);
        baseAddr = data = reinterpret_cast<unsigned char*>(area.get());
        MemMapTotSize = buffers * SHAREBUF_SIZE;
        freeFlags = flags.data();
#ifdef _WIN32
        hMutex = CreateMutexA(nullptr, FALSE, nullptr);
#else
        hMutex = &mutex;
#endif
        noMutex = 0;
        ipcMsgNumber = testMessage;
    }
    void TearDown() override {
#ifdef _WIN32
        CloseHandle(static_cast<HANDLE>(hMutex));
#endif
        baseAddr = data = freeFlags = nullptr;
        MemMapTotSize = 0;
        hMutex = nullptr;
        ipcMsgNumber = 0;
        inTempDir::TearDown();
    }
    std::unique_ptr<ipcMsg[]> area;
    std::vector<unsigned char> flags;
#ifndef _WIN32
    std::timed_mutex mutex;
#endif
    boxRecorder boxes;
};

TEST_F(ipcTest, PayloadArrivesAsAPrivateCopy) {
    writeBytes("payload.tmp", "0123456789");
    ipcMsg& shared = area[5];
    shared = {11, 22, 40, 10, nullptr, {}};
    const std::string path = dir + "/payload.tmp";
    std::strcpy(shared.body, path.c_str());
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    EXPECT_EQ(ipcMsgReceive(testMessage + 1, 77, 5 * SHAREBUF_SIZE, &got, &w), 0) << "only the registered message";
    ASSERT_EQ(ipcMsgReceive(testMessage, 77, 5 * SHAREBUF_SIZE, &got, &w), 1);
    EXPECT_EQ(w, 77u);
    ASSERT_NE(got, &shared);
    EXPECT_EQ(got->ipcPtr, &shared);
    EXPECT_EQ(got->firstWord, 11);
    EXPECT_EQ(got->secondWord, 22);
    EXPECT_EQ(got->rtnSize, 40);
    EXPECT_EQ(std::string(got->body, 10), "0123456789");
    EXPECT_FALSE(fileExists("payload.tmp"));
    got->firstWord = 99;
    ipcMsgDone(got);
    EXPECT_EQ(shared.firstWord, 99);
    EXPECT_EQ(shared.ipcPtr, nullptr);
    EXPECT_EQ(flags[5], 0);
    EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
