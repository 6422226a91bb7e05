#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/fileText.h"
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

std::vector<std::string> boxTexts;
int answerYes(const char*, const char* text, unsigned) {
    boxTexts.push_back(text);
    return 6;
}

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
        boxTexts.clear();
        previousBox = setYesNoBox(answerYes);
    }
    void TearDown() override {
#ifdef _WIN32
        CloseHandle(static_cast<HANDLE>(hMutex));
#endif
        baseAddr = data = freeFlags = nullptr;
        MemMapTotSize = 0;
        hMutex = nullptr;
        ipcMsgNumber = 0;
        setYesNoBox(previousBox);
        inTempDir::TearDown();
    }
    ipcMsg& record(int k, std::int32_t rtnSize, std::int32_t msgSize) {
        ipcMsg& r = area[static_cast<std::size_t>(k)];
        r.firstWord = 11;
        r.secondWord = 22;
        r.rtnSize = rtnSize;
        r.msgSize = msgSize;
        return r;
    }
    int receive(int k, ipcMsg*& got, std::uintptr_t& wParamOut) {
        return ipcMsgReceive(testMessage, 77, k * SHAREBUF_SIZE, &got, &wParamOut);
    }

    std::unique_ptr<ipcMsg[]> area;
    std::vector<unsigned char> flags;
#ifndef _WIN32
    std::timed_mutex mutex;
#endif
    yesNoBox previousBox = nullptr;
};

TEST_F(ipcTest, OnlyTheRegisteredMessageIsReceived) {
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    EXPECT_EQ(ipcMsgReceive(testMessage + 1, 1, 0, &got, &w), 0);
    ipcMsgNumber = 0;
    EXPECT_EQ(ipcMsgReceive(0, 1, 0, &got, &w), 0) << "the null message is not an inter-process message";
    EXPECT_EQ(ipcMsgReceive(testMessage, 1, 0, &got, &w), 0);
}

TEST_F(ipcTest, NoAnswerWantedFreesTheBuffer) {
    ipcMsg& shared = record(3, 0, 0);
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(3, got, w), 1);
    EXPECT_EQ(got, &shared);
    EXPECT_EQ(got->rtnSize, -1);
    EXPECT_EQ(w, 77u);
    ipcMsgDone(got);
    EXPECT_EQ(flags[3], 1);
    EXPECT_EQ(std::count(flags.begin(), flags.end(), 1), 1);
}

TEST_F(ipcTest, AnswerIsLeftInTheSharedRecord) {
    ipcMsg& shared = record(64, 40, 0);
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(64, got, w), 1);
    EXPECT_EQ(got, &shared);
    std::strcpy(got->body, "answer");
    ipcMsgDone(got);
    EXPECT_EQ(flags[64], 0);
    EXPECT_STREQ(shared.body, "answer");
}

TEST_F(ipcTest, PayloadArrivesAsAPrivateCopy) {
    writeBytes("payload.tmp", "0123456789");
    ipcMsg& shared = record(5, 40, 10);
    const std::string path = dir + "/payload.tmp";
    std::strcpy(shared.body, path.c_str());
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(5, got, w), 1);
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
    EXPECT_TRUE(boxTexts.empty());
}

TEST_F(ipcTest, PayloadWithoutAnswerFreesTheSharedBuffer) {
    writeBytes("p.tmp", "abc");
    ipcMsg& shared = record(1, 0, 3);
    std::strcpy(shared.body, (dir + "/p.tmp").c_str());
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(1, got, w), 1);
    EXPECT_EQ(got->rtnSize, -1);
    EXPECT_EQ(shared.rtnSize, 0);
    ipcMsgDone(got);
    EXPECT_EQ(flags[1], 1);
}

TEST_F(ipcTest, MissingPayloadFileIsReported) {
    ipcMsg& shared = record(2, 0, 4);
    std::strcpy(shared.body, (dir + "/gone.tmp").c_str());
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(2, got, w), 1);
    ASSERT_EQ(boxTexts.size(), 1u);
    EXPECT_EQ(boxTexts[0].rfind("f != -1 == 0: KVLIB\\IPCMSWIN, line ", 0), 0u) << boxTexts[0];
    EXPECT_EQ(got->body[0], '\0');
    ipcMsgDone(got);
}

TEST_F(ipcTest, OverlongAnswerIsReported) {
    writeBytes("p.tmp", "x");
    ipcMsg& shared = record(4, 5, 1);
    std::strcpy(shared.body, (dir + "/p.tmp").c_str());
    ipcMsg* got = nullptr;
    std::uintptr_t w = 0;
    ASSERT_EQ(receive(4, got, w), 1);
    got->rtnSize = MAX_KELVMSG_SIZE + 1;
    ipcMsgDone(got);
    ASSERT_EQ(boxTexts.size(), 1u);
    EXPECT_EQ(boxTexts[0].rfind("ipcMsg->rtnSize <= MAX_KELVMSG_SIZE == 0: KVLIB\\IPCMSWIN", 0), 0u);
}

TEST_F(ipcTest, LockWithoutMutex) {
    noMutex = 1;
    EXPECT_EQ(shareLock(nullptr, 0), 1);
    shareBufFree(&area[7]);
    EXPECT_EQ(flags[7], 1);
}

using ipcDeathTest = ipcTest;

TEST_F(ipcDeathTest, SharedMemoryChecksEndTheProgram) {
    EXPECT_EXIT(shareOffsetToPtr(MemMapTotSize), ::testing::ExitedWithCode(3),
                "Assertion failed: baseAddr && offset < MemMapTotSize, file KVLIB\\\\SHAREMEM");
    EXPECT_EXIT(shareBufFree(reinterpret_cast<unsigned char*>(area.get()) + 5), ::testing::ExitedWithCode(3),
                "Assertion failed: data \\+ index \\* SHAREBUF_SIZE == ptr");
    EXPECT_EXIT(shareBufFree(reinterpret_cast<unsigned char*>(area.get()) + MemMapTotSize),
                ::testing::ExitedWithCode(3), "ptr >= data && ptr < \\(data \\+ MemMapTotSize\\)");
    EXPECT_EXIT(shareLock(nullptr, 10), ::testing::ExitedWithCode(3), "Assertion failed: hMutex");
}

}  // namespace
