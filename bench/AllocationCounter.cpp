// The replaced global operator new and delete. Sizes come from the allocator itself
// (malloc_usable_size), so a delete without a size still takes back exactly what its
// new counted. The benchmarks run on one thread; the counters are plain integers.
#include "bench/AllocationCounter.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

alloc_count::Totals totals;
std::int64_t live = 0;
std::int64_t peak = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const auto usable = static_cast<std::int64_t>(malloc_usable_size(block));
    ++totals.blocks;
    totals.bytes += size;
    live += usable;
    peak = std::max(peak, live);
    return block;
}

void Release(void* block) noexcept {
    if (block == nullptr) {
        return;
    }
    live -= static_cast<std::int64_t>(malloc_usable_size(block));
    std::free(block);
}

}  // namespace

namespace alloc_count {

Totals Allocated() {
    return totals;
}

std::int64_t LiveBytes() {
    return live;
}

std::int64_t PeakBytes() {
    return peak;
}

void ResetPeak() {
    peak = live;
}

}  // namespace alloc_count

void* operator new(std::size_t size) {
    return Allocate(size);
}

void* operator new[](std::size_t size) {
    return Allocate(size);
}

void operator delete(void* block) noexcept {
    Release(block);
}

void operator delete[](void* block) noexcept {
    Release(block);
}

void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}
