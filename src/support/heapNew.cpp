// Replaces the global operator new and delete with the small-block heap.
// Linked only into programs that want it (the Windows program and its heap
// tests); the portable tools keep the C++ runtime's own.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "support/wmalloc.h"

namespace {

void* allocate(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    return wmalloc(static_cast<std::int32_t>(size));
}

}  // namespace

void* operator new(std::size_t size) {
    void* p = allocate(size);
    if (!p) throw std::bad_alloc();
    return p;
}

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void operator delete(void* p) noexcept {
    if (p) wfree(p);
}

void operator delete[](void* p) noexcept { operator delete(p); }

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }

void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete(p); }
