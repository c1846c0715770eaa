// List construction (and the release of the previous list, as every rebuild does)
// in the three modes, on machines of 10 to 10,000 devices. "per_device" is the time
// per device of the machine; it stays flat when construction grows linearly.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "device/DeviceList.h"
#include "tests/GeneratedMachine.h"

namespace {

struct Mode {
    bool miceOnly;
    bool allDevices;
};

constexpr Mode kNormal{false, false};
constexpr Mode kMiceOnly{true, false};
constexpr Mode kAllDevices{false, true};

void BM_BuildList(benchmark::State& state, Mode mode) {
    const int nodes = static_cast<int>(state.range(0));
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    generated::Generate(machine, nodes);
    machine.logging = false;

    const bench::AllocationMeter meter;
    for (auto _ : state) {
        device::TDeviceList list(mode.miceOnly, mode.allDevices);
        benchmark::DoNotOptimize(list.Count());
    }
    meter.Report(state);

    int listed = 0;
    state.counters["peak_bytes"] = static_cast<double>(bench::PeakBytesOf([&] {
        device::TDeviceList list(mode.miceOnly, mode.allDevices);
        listed = list.Count();
    }));
    bench::ReportPlatformCalls(state, machine,
                               [&] { device::TDeviceList list(mode.miceOnly, mode.allDevices); });
    state.counters["devices"] = nodes;
    state.counters["listed"] = listed;
    state.counters["per_device"] = benchmark::Counter(
        nodes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(BM_BuildList, normal, kNormal)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildList, mice_only, kMiceOnly)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildList, all_devices, kAllDevices)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond);
