#include "bench/HeapCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// The benchmarks run on one thread; plain counters keep the cost per
// allocation at two additions.
size_t g_iLive = 0;
size_t g_iPeak = 0;

void* Allocate(size_t iSize) {
    void* p = std::malloc(iSize == 0 ? 1 : iSize);
    if (p == nullptr)
        return nullptr;
    g_iLive += malloc_usable_size(p);
    if (g_iLive > g_iPeak)
        g_iPeak = g_iLive;
    return p;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    g_iLive -= malloc_usable_size(p);
    std::free(p);
}

void* AllocateOrThrow(size_t iSize) {
    void* p = Allocate(iSize);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

} // namespace

namespace HeapCounter {
size_t Live() {
    return g_iLive;
}
size_t Peak() {
    return g_iPeak;
}
void ResetPeak() {
    g_iPeak = g_iLive;
}
} // namespace HeapCounter

void* operator new(size_t iSize) {
    return AllocateOrThrow(iSize);
}
void* operator new[](size_t iSize) {
    return AllocateOrThrow(iSize);
}
void* operator new(size_t iSize, const std::nothrow_t&) noexcept {
    return Allocate(iSize);
}
void* operator new[](size_t iSize, const std::nothrow_t&) noexcept {
    return Allocate(iSize);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
