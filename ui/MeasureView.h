// What the measuring window shows, apart from drawing it: the lines of figures and
// the plot's scale. The window (ui/win32/MeasureWindow) paints them.
#pragma once

#include <string>
#include <vector>

#include "input/RateStats.h"
#include "ui/gui/Geometry.h"

// The figure lines for the measurement so far. `keyboard`: the device is asked to
// have keys pressed rather than be moved.
std::vector<std::string> MeasureLines(const input::RateFigures& figures, bool keyboard);

// The plot's vertical scale: intervals from 0 (bottom) to TopMs (top), chosen so that
// the expected interval and the usual intervals sit in the lower half; a median up to
// a tenth above a polling interval counts as that interval.
struct PlotScale {
    double topMs = 2.0;
    gui::TRect area;
    int Y(double ms) const;
    // The x of a moment, the newest at the right edge.
    int X(LONGLONG time, LONGLONG now, LONGLONG frequency) const;
};
PlotScale ChoosePlotScale(const gui::TRect& area, double expectedMs, double medianMs);
