// Counts what the benchmark program allocates through operator new: how many
// blocks, how many bytes in all, and the bytes alive now and at their highest.
// The global operator new and delete of the benchmark program are replaced for
// this (AllocationCounter.cpp); nothing else in the program changes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace alloc_count {

struct Totals {
    std::uint64_t blocks = 0;
    std::uint64_t bytes = 0;
};

// Everything allocated since the program started.
Totals Allocated();
// Bytes in blocks that are allocated and not yet freed.
std::int64_t LiveBytes();
// The highest LiveBytes since the last ResetPeak.
std::int64_t PeakBytes();
void ResetPeak();

}  // namespace alloc_count
