// What the measuring window shows, apart from drawing it: the lines of figures, why
// the measured interval may differ from the stored rate's, and the plot's scale and
// the columns it draws. The window (ui/win32/MeasureWindow) paints them.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "input/RateStats.h"
#include "ui/gui/Geometry.h"

// The figure lines for the measurement so far. `keyboard`: the device is asked to
// have keys pressed rather than be moved.
std::vector<std::string> MeasureLines(const input::RateFigures& figures, bool keyboard);

// What the device to process holds that the measured interval is compared with.
struct RateComparison {
    double expectedMs = 0;  // the stored rate's interval; 0 without one
    bool filterOn = false;  // the filter is in its lower-filter list
    // A rate or filter change waits for a Restart. Known only for the changes this
    // window made; nothing when the device's history is unknown.
    std::optional<bool> restartPending;
};

// The stored rate's interval as a line, or empty without a stored rate.
std::string ExpectedLine(const RateComparison& setting);

// When the median interval differs from the stored rate's by more than the jitter,
// one line with what can cause it, the first that applies of: the filter is not on
// the device; the rate takes effect only after Restart; the device may not support
// that rate. Empty otherwise.
std::string DifferenceLine(const input::RateFigures& figures, const RateComparison& setting);

// The plot's vertical scale: intervals from 0 (bottom) to TopMs (top), chosen so that
// the expected interval and the median sit in the lower half and the bulk of the
// intervals (up to the 90th percentile) lies on the plot; a median up to a tenth
// above a polling interval counts as that interval.
struct PlotScale {
    double topMs = 2.0;
    gui::TRect area;
    int Y(double ms) const;
    // The x of a moment, the newest at the right edge.
    int X(LONGLONG time, LONGLONG now, LONGLONG frequency) const;
};
PlotScale ChoosePlotScale(const gui::TRect& area, double expectedMs, double medianMs,
                          double highMs = 0);

// One pixel column of the plot: the intervals that ended there, drawn as a line
// from the previous column's last one (unless a rest lies between) and a stroke from
// the lowest to the highest. A paint then costs the plot's width, however many
// reports a fast device sent.
struct PlotColumn {
    int x = 0;
    int firstY = 0;
    int lastY = 0;
    int topY = 0;           // the longest interval's y (the smallest y)
    int bottomY = 0;        // the shortest interval's y
    bool joined = false;    // continues the previous column without a rest between
    bool offScale = false;  // some interval lies above the top of the scale
};
std::vector<PlotColumn> PlotColumns(const std::deque<input::PlotSample>& samples,
                                    const PlotScale& scale, LONGLONG now, LONGLONG frequency);
