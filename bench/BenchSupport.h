// What every benchmark reports besides its time: the platform calls of one
// operation by name (from the simulated machine's call log) and the bytes that the
// timed operations allocated.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>

#include "bench/AllocationCounter.h"
#include "platform/sim/SimMachine.h"

namespace bench {

// Runs the operation once more, outside the timing, with the call log on, and
// reports as counters how many calls of each platform operation it made and
// their total ("calls"). The log is off again afterwards.
void ReportPlatformCalls(benchmark::State& state, sim::Machine& machine,
                         const std::function<void()>& operation);

// Counts the allocations of the timing loop: made before the loop, reported after
// it as bytes and blocks per iteration.
class AllocationMeter {
  public:
    AllocationMeter() : start_(alloc_count::Allocated()) {}
    void Report(benchmark::State& state) const;

  private:
    alloc_count::Totals start_;
};

// The highest number of bytes alive at once while the operation ran, above what
// was alive before it.
std::int64_t PeakBytesOf(const std::function<void()>& operation);

}  // namespace bench
