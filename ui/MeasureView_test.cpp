// The measuring window's plot scale.
#include "ui/MeasureView.h"

#include <gtest/gtest.h>

namespace ui {

TEST(MeasureView, ThePlotScaleKeepsTheExpectedIntervalInTheLowerHalf) {
    const gui::TRect area{10, 20, 110, 121};
    EXPECT_EQ(ChoosePlotScale(area, 1.0, 1.0).topMs, 2.0);
    EXPECT_EQ(ChoosePlotScale(area, 1.0, 8.0).topMs, 16.0);
    EXPECT_EQ(ChoosePlotScale(area, 0.0, 0.0).topMs, 2.0);
    EXPECT_EQ(ChoosePlotScale(area, 0.0, 1e9).topMs, 256.0);
    const PlotScale scale = ChoosePlotScale(area, 4.0, 4.0);  // 0 to 8 ms
    EXPECT_EQ(scale.Y(0), 120);
    EXPECT_EQ(scale.Y(8), 20);
    EXPECT_EQ(scale.Y(4), 70);
    EXPECT_EQ(scale.Y(100), 20);  // clipped at the top
    EXPECT_EQ(scale.X(1000, 1000, 100), 109);
    EXPECT_EQ(scale.X(500, 1000, 100), 10);  // five seconds ago: the left edge
}

// A steady device's median wobbles around its interval from refresh to refresh; the
// scale must not follow that noise, or the plotted line jumps between two heights.
TEST(MeasureView, AMedianJustAboveAPollingIntervalKeepsItsScale) {
    const gui::TRect area{0, 0, 100, 101};
    for (const double median : {7.6, 7.99, 8.0, 8.02, 8.4, 8.75}) {
        EXPECT_EQ(ChoosePlotScale(area, 0.0, median).topMs, 16.0) << median;
        EXPECT_EQ(ChoosePlotScale(area, 8.0, median).topMs, 16.0) << median;
    }
    for (const double median : {0.97, 1.0, 1.004, 1.08}) {
        EXPECT_EQ(ChoosePlotScale(area, 1.0, median).topMs, 2.0) << median;
    }
    // Clearly between two intervals, the median takes the next step up.
    EXPECT_EQ(ChoosePlotScale(area, 0.0, 9.5).topMs, 32.0);
    EXPECT_EQ(ChoosePlotScale(area, 1.0, 1.5).topMs, 4.0);
    // The stored rate's interval is exact and gets no slack.
    EXPECT_EQ(ChoosePlotScale(area, 8.5, 0.0).topMs, 32.0);
}

// A device whose intervals spread to 45 ms around an 8 ms median: the scale takes in
// the bulk rather than cutting it off at 16 ms.
TEST(MeasureView, TheScaleTakesInTheBulkOfTheIntervals) {
    const gui::TRect area{0, 0, 100, 101};
    EXPECT_EQ(ChoosePlotScale(area, 4.0, 8.26, 50.0).topMs, 64.0);
    EXPECT_EQ(ChoosePlotScale(area, 1.0, 1.0, 1.04).topMs, 2.0);
    EXPECT_EQ(ChoosePlotScale(area, 0.0, 8.0, 8.3).topMs, 16.0);
}

TEST(MeasureView, PlotColumnsJoinAcrossReportsAndBreakAtRestsAndMarkOffScale) {
    const gui::TRect area{0, 0, 100, 101};  // 0 to 8 ms, 100 columns over 5 s
    const PlotScale scale = ChoosePlotScale(area, 4.0, 4.0);
    const LONGLONG now = 5000;  // a frequency of 1000: times in milliseconds
    std::deque<input::PlotSample> samples;
    // Four intervals within one column, then a rest, then one far off the scale.
    for (const LONGLONG t : {4000, 4004, 4008, 4012}) {
        samples.push_back({t, t == 4004 ? 6.0 : 4.0, false});
    }
    samples.push_back({4500, 400.0, true});
    samples.push_back({4600, 30.0, false});
    samples.push_back({4700, 4.0, false});
    const std::vector<PlotColumn> columns = PlotColumns(samples, scale, now, 1000);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].x, scale.X(4000, now, 1000));
    EXPECT_EQ(columns[0].firstY, scale.Y(4.0));
    EXPECT_EQ(columns[0].topY, scale.Y(6.0));
    EXPECT_EQ(columns[0].bottomY, scale.Y(4.0));
    EXPECT_FALSE(columns[0].joined);
    EXPECT_FALSE(columns[1].joined) << "a rest lies between";
    EXPECT_TRUE(columns[1].offScale);
    EXPECT_EQ(columns[1].topY, area.Top) << "drawn at the top edge";
    EXPECT_TRUE(columns[2].joined);
    EXPECT_FALSE(columns[2].offScale);
    EXPECT_TRUE(PlotColumns({}, scale, now, 1000).empty());
}

}  // namespace ui
