// This program's operator new and delete are the small-block heap's.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "support/wmalloc.h"

namespace {

template <class Page>
bool onAPage(const Page* head, const void* p) {
    for (; head; head = head->next) {
        auto at = reinterpret_cast<std::uintptr_t>(p);
        auto start = reinterpret_cast<std::uintptr_t>(head->blocks);
        if (at >= start && at < start + Page::dataArea) return true;
    }
    return false;
}

TEST(heapNew, NewAndDeleteUseThePages) {
    auto* small = new char[8];
    EXPECT_TRUE(onAPage(heap8List, small));
    auto* kilo = new char[1024];
    EXPECT_TRUE(onAPage(heap1KList, kilo));
    auto* object = new std::int64_t[10];  // 80 bytes
    EXPECT_TRUE(onAPage(heap96List, object));
    delete[] object;
    delete[] kilo;
    delete[] small;
}

// Four threads take and give back blocks of every class at once, each
// keeping its own text in them: no block is handed out twice.
TEST(heapNew, ThreadsShareThePages) {
    auto work = [](char mark) {
        std::vector<std::string> kept;
        for (int round = 0; round < 20000; ++round) {
            kept.emplace_back(static_cast<std::size_t>(16 + round % 1000), mark);
            if (kept.size() > 64) {
                for (char c : kept.front()) ASSERT_EQ(c, mark);
                kept.erase(kept.begin());
            }
        }
    };
    std::vector<std::thread> threads;
    for (char mark : {'a', 'b', 'c', 'd'}) threads.emplace_back(work, mark);
    for (std::thread& t : threads) t.join();
}

TEST(heapNew, HugeRequestsThrow) {
    EXPECT_THROW((void)operator new(std::size_t(1) << 40), std::bad_alloc);
    EXPECT_EQ(operator new(std::size_t(1) << 40, std::nothrow), nullptr);
}

TEST(heapNewDeathTest, AfterCloseEverythingComesFromTheGeneralAllocator) {
    EXPECT_EXIT(
        {
            wheapClose();
            auto* p = new char[8];
            const bool fromPage = onAPage(heap8List, p);
            std::_Exit(fromPage || heap8List ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
