// The window's costs on the GUI thread: a full paint of the visible grid (30 data
// rows), with and without "Process Parent", and what one WM_DEVICECHANGE costs (a
// rebuild of the list followed by a paint), on machines of 100 to 10,000 devices.
// A paint touches only the visible rows, so its time should not depend on the
// machine's size.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "tests/GeneratedWindow.h"

namespace {

void BM_PaintGrid(benchmark::State& state, bool processParent) {
    generated::WindowBed bed(static_cast<int>(state.range(0)), processParent);
    if (!bed.FullGrid()) {
        state.SkipWithError("the grid does not show 30 device rows");
        return;
    }
    const bench::AllocationMeter meter;
    for (auto _ : state) {
        bed.window->Paint();
    }
    meter.Report(state);
    bench::ReportPlatformCalls(state, bed.machine, [&] { bed.window->Paint(); });
    state.counters["rows"] = generated::kVisibleRows;
}

void BM_DeviceChange(benchmark::State& state) {
    generated::WindowBed bed(static_cast<int>(state.range(0)), false);
    const bench::AllocationMeter meter;
    for (auto _ : state) {
        bed.window->SendDeviceChange();
    }
    meter.Report(state);
    bench::ReportPlatformCalls(state, bed.machine, [&] { bed.window->SendDeviceChange(); });
    state.counters["listed"] = bed.Form().DeviceList ? bed.Form().DeviceList->Count() : 0;
}

}  // namespace

BENCHMARK_CAPTURE(BM_PaintGrid, plain, false)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PaintGrid, process_parent, true)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceChange)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMicrosecond);
