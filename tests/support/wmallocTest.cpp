#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/boxRecorder.h"
#include "common/envVar.h"
#include "common/fileText.h"
#include "common/testDir.h"
#include "support/assertion.h"
#include "support/wmalloc.h"

namespace {

// The general allocator as the tests see it: counted, and made to fail on
// request.
int generalAllocs = 0;
int generalReleases = 0;
int failAllocsFrom = -1;  // the allocation number from which all fail; -1 never
void* countedAlloc(std::size_t n) {
    if (failAllocsFrom >= 0 && generalAllocs >= failAllocsFrom) return nullptr;
    ++generalAllocs;
    return std::malloc(n);
}
void countedRelease(void* p) {
    ++generalReleases;
    std::free(p);
}

class wmallocTest : public inTempDir {
protected:
    void SetUp() override {
        inTempDir::SetUp();
        setEnv("DEBUGPRINT", nullptr);
        wheapResetForTests();
        previousAllocator = setGeneralAllocator({countedAlloc, countedRelease});
        generalAllocs = generalReleases = 0;
        failAllocsFrom = -1;
    }
    void TearDown() override {
        wheapResetForTests();
        setGeneralAllocator(previousAllocator);
        inTempDir::TearDown();
    }
    boxRecorder boxes;
    generalAllocator previousAllocator{};
};

template <class Page>
int pageCount(const Page* head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

template <class Page>
bool inPage(const Page* page, const void* p) {
    auto at = reinterpret_cast<std::uintptr_t>(p);
    auto start = reinterpret_cast<std::uintptr_t>(page->blocks);
    return at >= start && at < start + Page::dataArea;
}

// Which class served a request: 8, 16, 32, 64, 96, 1024, or 0 (general).
int classOf(const void* p) {
    for (auto* h = heap8List; h; h = h->next) if (inPage(h, p)) return 8;
    for (auto* h = heap16List; h; h = h->next) if (inPage(h, p)) return 16;
    for (auto* h = heap32List; h; h = h->next) if (inPage(h, p)) return 32;
    for (auto* h = heap64List; h; h = h->next) if (inPage(h, p)) return 64;
    for (auto* h = heap96List; h; h = h->next) if (inPage(h, p)) return 96;
    for (auto* h = heap1KList; h; h = h->next) if (inPage(h, p)) return 1024;
    return 0;
}

TEST_F(wmallocTest, ServeEachSizeFromItsClass) {
    const std::pair<std::int32_t, int> served[] = {{0, 8},     {1, 8},   {8, 8},     {-1, 8},      {9, 16},   {16, 16},
                                                   {17, 32},   {32, 32}, {33, 64},   {64, 64},     {65, 96},  {96, 96},
                                                   {97, 0},    {1023, 0}, {1024, 1024}, {1025, 0}, {100000, 0}};
    for (const auto& [size, heap] : served) {
        void* p = wmalloc(size);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(classOf(p), heap) << size;
        wfree(p);
    }
}

TEST_F(wmallocTest, EmptyPageRule) {
    void* only = wmalloc(16);
    wfree(only);
    EXPECT_EQ(pageCount(heap16List), 1) << "the only page stays";
    EXPECT_EQ(heap16List->nUsed, 0);
    EXPECT_EQ(wmalloc(16), only);

    std::vector<void*> blocks{only};
    for (int i = 1; i < 4096; ++i) blocks.push_back(wmalloc(16));
    void* onSecond = wmalloc(16);
    ASSERT_EQ(pageCount(heap16List), 2);
    const int releasesBefore = generalReleases;
    wfree(onSecond);
    EXPECT_EQ(pageCount(heap16List), 2) << "an empty head whose next page is full stays";
    wfree(blocks[0]);
    onSecond = wmalloc(16);
    EXPECT_EQ(classOf(onSecond), 16);
    wfree(blocks[1]);
    wfree(onSecond);
    EXPECT_EQ(pageCount(heap16List), 1) << "an empty head whose next page has room goes";
    EXPECT_EQ(generalReleases, releasesBefore + 1);
}

TEST_F(wmallocTest, DoubleReleaseIsReportedAndChangesNothing) {
    void* a = wmalloc(32);
    void* b = wmalloc(32);
    wfree(a);
    wfree(a);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("!(heap->freeList[index] & (1 << bit)) == 0: GUI\\SRCPC\\WMALLOC, line ", 0), 0u)
        << boxes.texts[0];
    EXPECT_EQ(heap32List->nUsed, 1);
    EXPECT_EQ(wmalloc(32), a);
    wfree(b);
}

TEST_F(wmallocTest, NewPageFailure) {
    failAllocsFrom = 0;
    EXPECT_EQ(wmalloc(16), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("heap == 0: GUI\\SRCPC\\WMALLOC, line ", 0), 0u) << boxes.texts[0];
    const std::string dbg = readBytes("z80.dbg");
    EXPECT_EQ(dbg.rfind("16 byte heap error code: ", 0), 0u) << dbg;
    EXPECT_EQ(dbg.substr(dbg.size() - platformText("\n\n").size()), platformText("\n\n"));
    EXPECT_EQ(heap16List, nullptr);
}

template <class Page>
void checkPages(const Page* head, int& pages) {
    for (const Page* h = head; h; h = h->next, ++pages) {
        int clear = 0;
        for (int w = 0; w < Page::bitmapWords; ++w) {
            clear += 32 - static_cast<int>(std::bitset<32>(h->freeList[w]).count());
        }
        ASSERT_EQ(h->nUsed, clear);
        if (h->next) {
            ASSERT_EQ(h->next->prev, h);
        }
    }
}

TEST_F(wmallocTest, CountsMatchBitmapsAfterLongRandomRuns) {
    std::mt19937 rng(4242);
    const std::int32_t sizes[] = {0, 4, 8, 12, 16, 24, 32, 48, 64, 80, 96, 200, 1024};
    std::vector<std::pair<unsigned char*, std::int32_t>> live;
    for (int step = 0; step < 60000; ++step) {
        if (live.empty() || rng() % 100 < 55) {
            const std::int32_t size = sizes[rng() % (sizeof sizes / sizeof *sizes)];
            auto* p = static_cast<unsigned char*>(wmalloc(size));
            ASSERT_TRUE(std::all_of(p, p + size, [](unsigned char c) { return c == 0; }));
            std::fill(p, p + size, static_cast<unsigned char>(step));
            live.emplace_back(p, size);
        } else {
            const std::size_t i = rng() % live.size();
            wfree(live[i].first);
            live[i] = live.back();
            live.pop_back();
        }
    }
    int pages = 0;
    checkPages(heap8List, pages);
    checkPages(heap16List, pages);
    checkPages(heap32List, pages);
    checkPages(heap64List, pages);
    checkPages(heap96List, pages);
    checkPages(heap1KList, pages);
    EXPECT_GT(pages, 6);
    std::set<unsigned char*> distinct;
    for (auto& b : live) distinct.insert(b.first);
    EXPECT_EQ(distinct.size(), live.size());
    for (auto& b : live) wfree(b.first);
    EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace
