#include "bench/BenchSupport.h"

#include <map>
#include <string>

namespace bench {

void ReportPlatformCalls(benchmark::State& state, sim::Machine& machine,
                         const std::function<void()>& operation) {
    machine.ClearCalls();
    machine.logging = true;
    operation();
    machine.logging = false;
    std::map<std::string, int> counts;
    for (const sim::Call& call : machine.Calls()) {
        ++counts[call.op];
    }
    for (const auto& [op, count] : counts) {
        state.counters[op] = count;
    }
    state.counters["calls"] = static_cast<double>(machine.Calls().size());
    machine.ClearCalls();
}

void AllocationMeter::Report(benchmark::State& state) const {
    const alloc_count::Totals now = alloc_count::Allocated();
    state.counters["bytes"] = benchmark::Counter(static_cast<double>(now.bytes - start_.bytes),
                                                 benchmark::Counter::kAvgIterations);
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(now.blocks - start_.blocks),
                                                  benchmark::Counter::kAvgIterations);
}

std::int64_t PeakBytesOf(const std::function<void()>& operation) {
    const std::int64_t before = alloc_count::LiveBytes();
    alloc_count::ResetPeak();
    operation();
    return alloc_count::PeakBytes() - before;
}

}  // namespace bench
