#include "support/wmalloc.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "support/assertion.h"
#include "support/platform/platform.h"

SmallHeap8* heap8List = nullptr;
SmallHeap16* heap16List = nullptr;
SmallHeap32* heap32List = nullptr;
SmallHeap64* heap64List = nullptr;
SmallHeap96* heap96List = nullptr;
SmallHeap1K* heap1KList = nullptr;
bool heapsClosed = false;

namespace {

const char* const moduleName = "GUI\\SRCPC\\WMALLOC";

// The pages are shared by every thread: the engine reads ahead on threads of
// its own. Recursive, since a failure's box may allocate while it is held.
std::recursive_mutex heapLock;

generalAllocator general{std::malloc, std::free};

template <class Page>
void* takeFromPage(Page* h) {
    std::uint32_t index = h->curIndex < std::uint32_t(Page::bitmapWords) ? h->curIndex : 0;
    for (int w = 0; w < Page::bitmapWords; ++w, index = (index + 1) % Page::bitmapWords) {
        const std::uint32_t word = h->freeList[index];
        if (word == 0) continue;
        unsigned bit = static_cast<unsigned>(h->curBit) >= 32 ? 0 : static_cast<unsigned>(h->curBit);
        for (int test = 0; test < 32; ++test, bit = (bit + 1) & 31u) {
            if (!(word & (1u << bit))) continue;
            h->freeList[index] = word & ~(1u << bit);
            h->curBit = bit + 1 == 32 ? 0 : static_cast<std::int32_t>(bit + 1);
            h->curIndex = index;
            ++h->nUsed;
            return h->blocks + index * Page::bytesPerWord + bit * std::size_t(Page::blockSize);
        }
    }
    return nullptr;
}

template <class Page>
void* newPage(Page*& head, const char* failureMessage) {
    auto* page = static_cast<Page*>(general.allocate(sizeof(Page)));
    if (!page) {
        debugPrint(failureMessage, platform::lastErrorCode());
        assertFail("heap", moduleName, __LINE__);
        return nullptr;
    }
    page->nUsed = 1;
    page->curIndex = 0;
    page->curBit = 1;
    page->freeList[0] = 0xFFFFFFFEu;
    for (int w = 1; w < Page::bitmapWords; ++w) page->freeList[w] = 0xFFFFFFFFu;
    page->next = head;
    page->prev = nullptr;
    if (head) head->prev = page;
    head = page;
    return page->blocks;
}

template <class Page>
void* allocateFrom(Page*& head, const char* failureMessage) {
    for (Page* h = head; h; h = h->next) {
        if (h->nUsed >= Page::blocksPerPage) continue;
        if (void* block = takeFromPage(h)) return block;
    }
    return newPage(head, failureMessage);
}

template <class Page>
bool holds(const Page* h, const void* p) {
    const auto start = reinterpret_cast<std::uintptr_t>(h->blocks);
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    return at >= start && at < start + Page::dataArea;
}

template <class Page>
void unlink(Page*& head, Page* h) {
    if (h->next) h->next->prev = h->prev;
    if (h->prev) {
        h->prev->next = h->next;
    } else {
        head = h->next;
    }
}

// Gives p back to the page of this class that holds it; false when none does.
template <class Page>
bool releaseTo(Page*& head, void* p) {
    Page* h = head;
    while (h && !holds(h, p)) h = h->next;
    if (!h) return false;
    const std::size_t offset = static_cast<std::size_t>(static_cast<unsigned char*>(p) - h->blocks);
    const std::size_t index = offset / Page::bytesPerWord;
    const unsigned bit = static_cast<unsigned>((offset % Page::bytesPerWord) / Page::blockSize);
    if (h->freeList[index] & (1u << bit)) {
        // Released twice: reported, and if the user carries on, a no-op, so
        // that the count keeps matching the bitmap.
        assertFail("!(heap->freeList[index] & (1 << bit))", moduleName, __LINE__);
        return true;
    }
    if (--h->nUsed == 0) {
        const bool staysAtHead = h == head && (!h->next || h->next->nUsed >= Page::blocksPerPage);
        if (!staysAtHead) {
            unlink(head, h);
            general.release(h);
            return true;
        }
    }
    h->freeList[index] |= 1u << bit;
    h->curIndex = static_cast<std::uint32_t>(index);
    h->curBit = static_cast<std::int32_t>(bit);
    return true;
}

template <class Page>
void releaseAll(Page*& head) {
    while (head) {
        Page* next = head->next;
        general.release(head);
        head = next;
    }
}

void* fromGeneral(std::int32_t size) {
    void* p = general.allocate(size > 0 ? static_cast<std::size_t>(size) : 1);
    if (!p) assertFail("buf", moduleName, __LINE__);
    return p;
}

void* pickClass(std::int32_t size) {
    if (size <= 8) return allocateFrom(heap8List, "8 byte heap error code: %d\n\n");
    if (size <= 16) return allocateFrom(heap16List, "16 byte heap error code: %d\n\n");
    if (size <= 32) return allocateFrom(heap32List, "32 byte heap error code: %d\n\n");
    if (size <= 64) return allocateFrom(heap64List, "64 byte heap error code: %d\n\n");
    if (size <= 96) return allocateFrom(heap96List, "96 byte heap error code: %d\n\n");
    if (size == 1024) return allocateFrom(heap1KList, "1K heap error code: %d\n\n");
    return fromGeneral(size);
}

}  // namespace

void* wmalloc(std::int32_t size) {
    void* p = nullptr;
    {
        std::lock_guard<std::recursive_mutex> hold(heapLock);
        p = heapsClosed ? fromGeneral(size) : pickClass(size);
    }
    if (p && size > 0) std::memset(p, 0, static_cast<std::size_t>(size));
    return p;
}

void wfree(void* p) {
    if (!p) return;
    std::lock_guard<std::recursive_mutex> hold(heapLock);
    if (releaseTo(heap8List, p) || releaseTo(heap16List, p) || releaseTo(heap32List, p) ||
        releaseTo(heap64List, p) || releaseTo(heap96List, p) || releaseTo(heap1KList, p)) {
        return;
    }
    general.release(p);
}

void wheapClose() {
    std::lock_guard<std::recursive_mutex> hold(heapLock);
    releaseAll(heap8List);
    releaseAll(heap16List);
    releaseAll(heap32List);
    releaseAll(heap64List);
    releaseAll(heap96List);
    releaseAll(heap1KList);
    heapsClosed = true;
}

generalAllocator setGeneralAllocator(generalAllocator allocator) {
    generalAllocator previous = general;
    general.allocate = allocator.allocate ? allocator.allocate : std::malloc;
    general.release = allocator.release ? allocator.release : std::free;
    return previous;
}

void wheapResetForTests() {
    wheapClose();
    heapsClosed = false;
}
