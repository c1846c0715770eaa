// The measuring window's costs at 8000 reports a second: working out the figures over
// a full minute of intervals (once a second) and the columns of one repaint of the
// plot over the last five seconds (ten times a second). Their sum per second of
// measuring is what the GUI thread spends on it.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "input/RateStats.h"
#include "ui/MeasureView.h"

namespace {

constexpr LONGLONG kFrequency = 10'000'000;
constexpr LONGLONG kInterval = kFrequency / 8000;

// A device that reported every 125 us for a minute, with a little jitter.
input::RateStats FullMinute() {
    input::RateStats stats(kFrequency);
    LONGLONG time = kFrequency;
    for (std::size_t i = 0; i <= input::kKeptIntervals; ++i) {
        time += kInterval + static_cast<LONGLONG>(i % 7) - 3;
        stats.Add(time);
    }
    return stats;
}

void BM_MeasureFigures(benchmark::State& state) {
    const input::RateStats stats = FullMinute();
    const LONGLONG now = stats.Recent().back().time;
    const bench::AllocationMeter meter;
    for (auto _ : state) {
        benchmark::DoNotOptimize(stats.Figures(now));
    }
    meter.Report(state);
    state.counters["intervals"] = static_cast<double>(input::kKeptIntervals);
}

void BM_MeasurePlotColumns(benchmark::State& state) {
    const input::RateStats stats = FullMinute();
    const LONGLONG now = stats.Recent().back().time;
    const ui::PlotScale scale = ui::ChoosePlotScale({0, 0, 560, 180}, 1.0, 0.125, 0.128);
    const bench::AllocationMeter meter;
    std::size_t columns = 0;
    for (auto _ : state) {
        const auto drawn = PlotColumns(stats.Recent(), scale, now, kFrequency);
        columns = drawn.size();
        benchmark::DoNotOptimize(drawn.data());
    }
    meter.Report(state);
    state.counters["samples"] = static_cast<double>(stats.Recent().size());
    state.counters["columns"] = static_cast<double>(columns);
}

}  // namespace

BENCHMARK(BM_MeasureFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasurePlotColumns)->Unit(benchmark::kMicrosecond);
