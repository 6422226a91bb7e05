// The small-block heap behind operator new. Small requests are carved from
// 64 KB pages (96 KB for the 96-byte class), one page list per size class,
// with one bit per block and no header in front of a block. Other sizes go to
// the general allocator. Every block comes zero-filled over the requested
// size. wheapClose gives every page back; after it, everything comes from
// the general allocator. Any thread may allocate and release: one lock
// guards the pages.
#pragma once

#include <cstddef>
#include <cstdint>

void* wmalloc(std::int32_t size);
void wfree(void* p);
void wheapClose();

// A page of one size class: the blocks, then the bitmap (a set bit marks a
// free block) and the bookkeeping.
template <int BlockSize, int BlockCount>
struct SmallHeap {
    static constexpr int blockSize = BlockSize;
    static constexpr int blocksPerPage = BlockCount;
    static constexpr int bitmapWords = BlockCount / 32;
    static constexpr std::size_t dataArea = std::size_t(BlockSize) * BlockCount;
    static constexpr std::size_t bytesPerWord = std::size_t(BlockSize) * 32;

    alignas(16) unsigned char blocks[dataArea];
    std::uint32_t freeList[std::size_t(bitmapWords)];
    SmallHeap* next;
    SmallHeap* prev;
    std::int32_t nUsed;
    std::uint32_t curIndex;
    std::int32_t curBit;
};

using SmallHeap8 = SmallHeap<8, 8192>;
using SmallHeap16 = SmallHeap<16, 4096>;
using SmallHeap32 = SmallHeap<32, 2048>;
using SmallHeap64 = SmallHeap<64, 1024>;
using SmallHeap96 = SmallHeap<96, 1024>;
using SmallHeap1K = SmallHeap<1024, 64>;

extern SmallHeap8* heap8List;
extern SmallHeap16* heap16List;
extern SmallHeap32* heap32List;
extern SmallHeap64* heap64List;
extern SmallHeap96* heap96List;
extern SmallHeap1K* heap1KList;
extern bool heapsClosed;

// The general allocator behind the pages and the other sizes; tests replace
// it to make it fail. Null members restore malloc and free.
struct generalAllocator {
    void* (*allocate)(std::size_t size);
    void (*release)(void* p);
};
generalAllocator setGeneralAllocator(generalAllocator allocator);

// For tests: gives every page back and opens the heap again.
void wheapResetForTests();
