// What a measurement says in words.
#include "measure/MeasureLines.h"

#include <gtest/gtest.h>

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
