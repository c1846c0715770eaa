// The configuration operations on one device, on both platform families: reading
// the filter state, setting it (a change, and a request that changes nothing), and
// reading and writing the rate.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "tests/GeneratedMachine.h"

namespace {

// A small machine, its device list and the first listed device, which carries
// the filter and a rate; the platform family is the one asked for until the bed
// goes, then NT again.
struct DeviceBed {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    std::unique_ptr<device::TDeviceList> list;

    explicit DeviceBed(config::PlatformFamily family) {
        generated::Generate(machine, 100);
        machine.platformId = family == config::PlatformFamily::Win9x ? VER_PLATFORM_WIN32_WINDOWS
                                                                     : VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
        list = std::make_unique<device::TDeviceList>(false, false);
        machine.logging = false;
    }
    ~DeviceBed() {
        machine.platformId = VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
    }
    DeviceBed(const DeviceBed&) = delete;
    DeviceBed& operator=(const DeviceBed&) = delete;

    device::TDevice& Device() { return list->GetDevice(0); }
};

template <typename Operation>
void Measure(benchmark::State& state, DeviceBed& bed, Operation operation) {
    const bench::AllocationMeter meter;
    for (auto _ : state) {
        operation();
    }
    meter.Report(state);
    bench::ReportPlatformCalls(state, bed.machine, operation);
}

void BM_HasFilter(benchmark::State& state, config::PlatformFamily family) {
    DeviceBed bed(family);
    Measure(state, bed, [&] { benchmark::DoNotOptimize(config::HasFilter(bed.Device())); });
}

// Every call changes the stored list: on and off in turn.
void BM_SetFilterChange(benchmark::State& state, config::PlatformFamily family) {
    DeviceBed bed(family);
    bool on = false;
    Measure(state, bed, [&] {
        config::SetFilter(bed.Device(), on);
        on = !on;
    });
}

// The filter is present already: nothing is written.
void BM_SetFilterNoChange(benchmark::State& state, config::PlatformFamily family) {
    DeviceBed bed(family);
    Measure(state, bed, [&] { config::SetFilter(bed.Device(), true); });
}

void BM_ReadRateIndex(benchmark::State& state) {
    DeviceBed bed(config::PlatformFamily::NT);
    Measure(state, bed, [&] { benchmark::DoNotOptimize(config::ReadRateIndex(bed.Device())); });
}

// A rate and "Default" in turn: a set and a delete.
void BM_WriteRateIndex(benchmark::State& state) {
    DeviceBed bed(config::PlatformFamily::NT);
    std::uint32_t index = 0;
    Measure(state, bed, [&] {
        config::WriteRateIndex(bed.Device(), index);
        index = index == 0 ? 3 : 0;
    });
}

}  // namespace

BENCHMARK_CAPTURE(BM_HasFilter, nt, config::PlatformFamily::NT);
BENCHMARK_CAPTURE(BM_HasFilter, win9x, config::PlatformFamily::Win9x);
BENCHMARK_CAPTURE(BM_SetFilterChange, nt, config::PlatformFamily::NT);
BENCHMARK_CAPTURE(BM_SetFilterChange, win9x, config::PlatformFamily::Win9x);
BENCHMARK_CAPTURE(BM_SetFilterNoChange, nt, config::PlatformFamily::NT);
BENCHMARK_CAPTURE(BM_SetFilterNoChange, win9x, config::PlatformFamily::Win9x);
BENCHMARK(BM_ReadRateIndex);
BENCHMARK(BM_WriteRateIndex);
