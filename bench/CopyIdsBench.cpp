// "Copy IDs" on the current row: two reads of the device and the clipboard text.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "tests/GeneratedWindow.h"

namespace {

void BM_CopyIds(benchmark::State& state) {
    generated::WindowBed bed(100, false);
    const bench::AllocationMeter meter;
    for (auto _ : state) {
        bed.Form().btnCopyID->Click();
    }
    meter.Report(state);
    const auto& clipboardCalls = bed.window->Desktop().clipboard.Calls();
    const std::size_t before = clipboardCalls.size();
    bench::ReportPlatformCalls(state, bed.machine, [&] { bed.Form().btnCopyID->Click(); });
    state.counters["clipboard_calls"] = static_cast<double>(clipboardCalls.size() - before);
}

}  // namespace

BENCHMARK(BM_CopyIds);
