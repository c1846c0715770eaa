#include "ui/MeasureView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::vector<std::string> MeasureLines(const input::RateFigures& figures, bool keyboard) {
    std::vector<std::string> lines;
    lines.push_back(keyboard ? "Press keys on the device: only its own reports are counted."
                             : "Move the device: only its own reports are counted.");
    lines.push_back("Reports measured: " + std::to_string(figures.reports));
    if (!figures.enough) {
        lines.push_back("Not enough data yet.");
        return lines;
    }
    lines.push_back(figures.idle
                        ? std::string("Now: idle (the device sends nothing while unused)")
                        : Format("Now: %.0f reports/s (last second)", figures.lastSecondHz));
    lines.push_back(Format("Whole run: %.0f reports/s while in use", figures.runHz));
    lines.push_back(Format("Median interval: %.3f ms", figures.medianMs) +
                    Format(", spread (10-90%%): %.3f ms", figures.spreadMs));
    if (figures.bunched) {
        lines.push_back("Windows delivered reports in bunches: the figures are less precise.");
    } else if (figures.background) {
        lines.push_back("Measured while another program was active: Windows may coalesce input.");
    }
    return lines;
}

int PlotScale::Y(double ms) const {
    const double fraction = std::clamp(ms / topMs, 0.0, 1.0);
    return area.Bottom - 1 - static_cast<int>(std::lround(fraction * (area.Height() - 1)));
}

int PlotScale::X(LONGLONG time, LONGLONG now, LONGLONG frequency) const {
    const double age = static_cast<double>(now - time) / static_cast<double>(frequency);
    const double fraction = std::clamp(1.0 - age / input::kPlotSeconds, 0.0, 1.0);
    return area.Left + static_cast<int>(std::lround(fraction * (area.Width() - 1)));
}

PlotScale ChoosePlotScale(const gui::TRect& area, double expectedMs, double medianMs) {
    // Whole steps of the polling intervals: 2, 4, 8, 16, 32, 64 ms. A device polled at
    // 1, 2, 4 or 8 ms measures a median a hair either side of its interval; without the
    // slack, that noise would switch the scale between two steps from one refresh to
    // the next and the line would jump between half and quarter height.
    constexpr double kMedianSlack = 1.1;
    const double wanted = std::max({2.0 * expectedMs, 2.0 * medianMs / kMedianSlack, 2.0});
    double top = 2.0;
    while (top < wanted && top < 256.0) {
        top *= 2;
    }
    return PlotScale{top, area};
}
