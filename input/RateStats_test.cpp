// The measured rate from known report times on a virtual clock of 10 MHz.
#include "input/RateStats.h"

#include <gtest/gtest.h>

#include <cmath>

using input::RateStats;

namespace {

constexpr LONGLONG kFrequency = 10'000'000;

LONGLONG Ms(double ms) {
    return static_cast<LONGLONG>(std::llround(ms * 10'000));
}

// Adds reports every `interval` ms from `start` for `count` reports; returns the last time.
LONGLONG Steady(RateStats& stats, double start, double interval, int count) {
    LONGLONG time = 0;
    for (int i = 0; i < count; ++i) {
        time = Ms(start + interval * i);
        stats.Add(time);
    }
    return time;
}

}  // namespace

TEST(RateStats, ASteadyOneMillisecondDeviceIs1000Hz) {
    RateStats stats(kFrequency);
    const LONGLONG last = Steady(stats, 0, 1.0, 2000);
    const auto figures = stats.Figures(last);
    EXPECT_TRUE(figures.enough);
    EXPECT_FALSE(figures.idle);
    EXPECT_NEAR(figures.lastSecondHz, 1000, 0.5);
    EXPECT_NEAR(figures.runHz, 1000, 0.5);
    EXPECT_NEAR(figures.medianMs, 1.0, 1e-9);
    EXPECT_NEAR(figures.spreadMs, 0.0, 1e-9);
    EXPECT_FALSE(figures.bunched);
    EXPECT_EQ(figures.reports, 2000u);
}

TEST(RateStats, JitterWidensTheSpreadButKeepsTheMedian) {
    RateStats stats(kFrequency);
    double time = 0;
    for (int i = 0; i < 1000; ++i) {
        time += i % 2 == 0 ? 7.0 : 9.0;  // 8 ms on average
        stats.Add(Ms(time));
    }
    const auto figures = stats.Figures(Ms(time));
    EXPECT_NEAR(figures.runHz, 125, 0.2);
    EXPECT_NEAR(figures.spreadMs, 2.0, 1e-9);
    EXPECT_GE(figures.medianMs, 7.0);
    EXPECT_LE(figures.medianMs, 9.0);
}

TEST(RateStats, FewReportsAreNotEnoughAndNothingIsIdle) {
    RateStats stats(kFrequency);
    EXPECT_TRUE(stats.Figures(0).idle);
    EXPECT_FALSE(stats.Figures(0).enough);
    const LONGLONG last = Steady(stats, 0, 1.0, input::kEnoughReports - 1);
    EXPECT_FALSE(stats.Figures(last).enough);
    stats.Add(last + Ms(1));
    EXPECT_TRUE(stats.Figures(last).enough);
}

TEST(RateStats, RestingIsIdleAndLowersNoRate) {
    RateStats stats(kFrequency);
    LONGLONG last = Steady(stats, 0, 2.0, 500);  // 1 s at 500 Hz
    EXPECT_TRUE(stats.Figures(last + Ms(input::kIdleMs + 1)).idle);
    EXPECT_FALSE(stats.Figures(last + Ms(input::kIdleMs - 1)).idle);
    // Three seconds of rest, then moving again.
    last = Steady(stats, 4000, 2.0, 500);
    const auto figures = stats.Figures(last);
    EXPECT_NEAR(figures.runHz, 500, 0.1);
    EXPECT_NEAR(figures.medianMs, 2.0, 1e-9);
    EXPECT_NEAR(figures.spreadMs, 0.0, 1e-9);
    // The rest shows in the plot as a break.
    bool pause = false;
    for (const auto& sample : stats.Recent()) {
        pause = pause || sample.pause;
    }
    EXPECT_TRUE(pause);
}

TEST(RateStats, TheLastSecondFollowsAChangeTheRunAverages) {
    RateStats stats(kFrequency);
    Steady(stats, 0, 8.0, 250);                            // 2 s at 125 Hz
    const LONGLONG last = Steady(stats, 2000, 1.0, 1001);  // then 1 s at 1000 Hz
    const auto figures = stats.Figures(last);
    EXPECT_NEAR(figures.lastSecondHz, 1000, 10);  // one 8 ms interval still in it
    EXPECT_GT(figures.runHz, 125);
    EXPECT_LT(figures.runHz, 1000);
    EXPECT_NEAR(figures.runHz, 1250.0 / 3.0, 1);
}

TEST(RateStats, ReportsHandedOverTogetherAreFlagged) {
    RateStats stats(kFrequency);
    double time = 0;
    for (int i = 0; i < 300; ++i) {
        // Windows held four reports and delivered them at once.
        time += i % 4 == 0 ? 4.0 : 0.001;
        stats.Add(Ms(time));
    }
    EXPECT_TRUE(stats.Figures(Ms(time)).bunched);
    RateStats background(kFrequency);
    background.Add(0, true);
    EXPECT_TRUE(background.Figures(0).background);
}

TEST(RateStats, ThePlotKeepsFiveSeconds) {
    RateStats stats(kFrequency);
    const LONGLONG last = Steady(stats, 0, 10.0, 1000);  // 10 s
    ASSERT_FALSE(stats.Recent().empty());
    EXPECT_GE(stats.Recent().front().time, last - Ms(input::kPlotSeconds * 1000));
    EXPECT_EQ(stats.Recent().back().time, last);
    EXPECT_NEAR(static_cast<double>(stats.Recent().size()), 501, 1);
}
