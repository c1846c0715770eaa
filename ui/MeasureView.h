// The measuring window's plot, apart from drawing it: its scale and the columns it
// draws (its lines of words are measure/MeasureLines). The window
// (ui/win32/MeasureWindow) paints it.
#pragma once

#include <deque>
#include <vector>

#include "input/RateStats.h"
#include "ui/gui/Geometry.h"

namespace ui {

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

}  // namespace ui
