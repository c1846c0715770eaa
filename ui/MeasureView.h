// The measuring window's plot scale, apart from drawing it (its lines of figures are
// measure/MeasureLines). The window (ui/win32/MeasureWindow) paints it.
#pragma once

#include "input/RateStats.h"
#include "ui/gui/Geometry.h"

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
