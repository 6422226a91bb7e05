// The small-block heap against the C library's malloc and free, on a workload
// shaped like the program's: list nodes and short strings (8 to 96 bytes),
// some 1 KB buffers, a few larger buffers, released in mixed order while a
// working set of live blocks is kept. Prints the times and their ratio.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "support/wmalloc.h"

namespace {

struct request {
    std::int32_t size;
    std::uint32_t victim;  // which live block to release, when releasing
    bool release;
};

std::vector<request> makeWorkload(std::size_t steps, std::size_t liveTarget) {
    std::mt19937 rng(77u);
    std::vector<request> work;
    work.reserve(steps);
    std::size_t live = 0;
    for (std::size_t i = 0; i < steps; ++i) {
        const bool release = live > 0 && (live >= liveTarget ? rng() % 100 < 60 : rng() % 100 < 40);
        std::int32_t size = 0;
        const auto pick = static_cast<unsigned>(rng() % 100);
        if (pick < 40) size = 16 + static_cast<std::int32_t>(rng() % 17);       // list nodes
        else if (pick < 80) size = 1 + static_cast<std::int32_t>(rng() % 64);   // short strings
        else if (pick < 92) size = 65 + static_cast<std::int32_t>(rng() % 32);  // window objects
        else if (pick < 98) size = 1024;                                        // 1 KB buffers
        else size = 300 + static_cast<std::int32_t>(rng() % 3000);              // others
        work.push_back({size, static_cast<std::uint32_t>(rng()), release});
        live = release ? live - 1 : live + 1;
    }
    return work;
}

template <class Alloc, class Free>
double run(const std::vector<request>& work, Alloc alloc, Free release) {
    std::vector<void*> live;
    live.reserve(work.size());
    const auto start = std::chrono::steady_clock::now();
    for (const request& r : work) {
        if (r.release) {
            const std::size_t i = r.victim % live.size();
            release(live[i]);
            live[i] = live.back();
            live.pop_back();
        } else {
            live.push_back(alloc(r.size));
        }
    }
    for (void* p : live) release(p);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t steps = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 4000000;
    const std::size_t liveTarget = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20000;
    const std::vector<request> work = makeWorkload(steps, liveTarget);
    auto callocLike = [](std::int32_t n) {
        void* p = std::malloc(static_cast<std::size_t>(n));
        std::memset(p, 0, static_cast<std::size_t>(n));  // the heap zero-fills too
        return p;
    };
    double bestHeap = 1e9, bestMalloc = 1e9;
    for (int round = 0; round < 3; ++round) {
        bestMalloc = std::min(bestMalloc, run(work, callocLike, std::free));
        bestHeap = std::min(bestHeap, run(work, wmalloc, wfree));
    }
    std::printf("steps %zu, live blocks about %zu\n", steps, liveTarget);
    std::printf("malloc/free + zero fill  %.3f s\n", bestMalloc);
    std::printf("wmalloc/wfree            %.3f s\n", bestHeap);
    std::printf("ratio wmalloc / malloc   %.2f\n", bestHeap / bestMalloc);
    return 0;
}
