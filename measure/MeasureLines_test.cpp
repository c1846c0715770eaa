// What a measurement says in words.
#include "measure/MeasureLines.h"

#include <gtest/gtest.h>

using measure::DifferenceLine;
using measure::ExpectedLine;
using measure::MeasureLines;

TEST(MeasureLines, TooFewReportsSayNotEnoughData) {
    input::RateFigures figures;
    figures.reports = 5;
    const auto lines = MeasureLines(figures, false);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Move the device: only its own reports are counted.");
    EXPECT_EQ(lines[2], "Not enough data yet.");
    EXPECT_EQ(MeasureLines(figures, true)[0],
              "Press keys on the device: only its own reports are counted.");
}

TEST(MeasureLines, FiguresIdleAndCoalescing) {
    input::RateFigures figures;
    figures.reports = 1000;
    figures.enough = true;
    figures.idle = false;
    figures.lastSecondHz = 999.6;
    figures.runHz = 998.2;
    figures.medianMs = 1.0004;
    figures.spreadMs = 0.012;
    auto lines = MeasureLines(figures, false);
    EXPECT_EQ(lines[2], "Now: 1000 reports/s (last second)");
    EXPECT_EQ(lines[3], "Whole run: 998 reports/s while in use");
    EXPECT_EQ(lines[4], "Median interval: 1.000 ms, spread (10-90%): 0.012 ms");
    EXPECT_EQ(lines.size(), 5u);
    figures.idle = true;
    figures.background = true;
    lines = MeasureLines(figures, false);
    EXPECT_EQ(lines[2], "Now: idle (the device sends nothing while unused)");
    EXPECT_EQ(lines.back(),
              "Measured while another program was active: Windows may coalesce input.");
}

namespace {

input::RateFigures Measured(double medianMs, double spreadMs) {
    input::RateFigures figures;
    figures.reports = 500;
    figures.enough = true;
    figures.medianMs = medianMs;
    figures.spreadMs = spreadMs;
    figures.highMs = medianMs + spreadMs / 2;
    return figures;
}

}  // namespace

// 250 stored (4 ms), 8 ms measured: the line names the first cause that applies.
TEST(MeasureLines, ADifferenceFromTheStoredRateSaysWhatCanCauseIt) {
    const input::RateFigures slow = Measured(8.26, 0.6);
    EXPECT_EQ(DifferenceLine(slow, {4.0, false, true}),
              "The filter is not on this device: the stored rate has no effect without it.");
    EXPECT_EQ(DifferenceLine(slow, {4.0, true, true}),
              "The stored rate takes effect only after Restart.");
    EXPECT_EQ(DifferenceLine(slow, {4.0, true, false}), "The device may not support that rate.");
    EXPECT_EQ(DifferenceLine(slow, {4.0, true, std::nullopt}),
              "A stored rate takes effect only after Restart; if the device was restarted "
              "since, it may not support that rate.");
    // Faster than stored is a difference too.
    EXPECT_FALSE(DifferenceLine(Measured(1.0, 0.05), {4.0, true, false}).empty());
}

TEST(MeasureLines, NoDifferenceLineWithinTheJitterOrWithoutAStoredRate) {
    EXPECT_EQ(DifferenceLine(Measured(4.2, 0.3), {4.0, false, true}), "") << "a tenth of 4 ms";
    EXPECT_EQ(DifferenceLine(Measured(5.5, 3.0), {4.0, false, true}), "") << "within the spread";
    EXPECT_EQ(DifferenceLine(Measured(8.0, 0.1), {0.0, false, true}), "") << "nothing stored";
    input::RateFigures few = Measured(8.0, 0.1);
    few.enough = false;
    EXPECT_EQ(DifferenceLine(few, {4.0, false, true}), "");
    EXPECT_EQ(ExpectedLine({4.0, true, false}),
              "Expected from the stored rate: one report every 4 ms.");
    EXPECT_EQ(ExpectedLine({}), "No rate stored: the device keeps its own interval.");
}
