#include "ui/MeasureView.h"

#include <algorithm>
#include <cmath>

namespace ui {

int PlotScale::Y(double ms) const {
    const double fraction = std::clamp(ms / topMs, 0.0, 1.0);
    return area.Bottom - 1 - static_cast<int>(std::lround(fraction * (area.Height() - 1)));
}

int PlotScale::X(LONGLONG time, LONGLONG now, LONGLONG frequency) const {
    const double age = static_cast<double>(now - time) / static_cast<double>(frequency);
    const double fraction = std::clamp(1.0 - age / input::kPlotSeconds, 0.0, 1.0);
    return area.Left + static_cast<int>(std::lround(fraction * (area.Width() - 1)));
}

PlotScale ChoosePlotScale(const gui::TRect& area, double expectedMs, double medianMs,
                          double highMs) {
    // Whole steps of the polling intervals: 2, 4, 8, 16, 32, 64 ms. A device polled at
    // 1, 2, 4 or 8 ms measures a median a hair either side of its interval; without the
    // slack, that noise would switch the scale between two steps from one refresh to
    // the next and the line would jump between half and quarter height.
    constexpr double kMedianSlack = 1.1;
    const double wanted =
        std::max({2.0 * expectedMs, 2.0 * medianMs / kMedianSlack, highMs * kMedianSlack, 2.0});
    double top = 2.0;
    while (top < wanted && top < 256.0) {
        top *= 2;
    }
    return PlotScale{top, area};
}

std::vector<PlotColumn> PlotColumns(const std::deque<input::PlotSample>& samples,
                                    const PlotScale& scale, LONGLONG now, LONGLONG frequency) {
    std::vector<PlotColumn> columns;
    bool rested = true;
    for (const input::PlotSample& sample : samples) {
        if (sample.pause) {
            rested = true;
            continue;
        }
        const int x = scale.X(sample.time, now, frequency);
        const int y = scale.Y(sample.ms);
        const bool offScale = sample.ms > scale.topMs;
        if (!columns.empty() && columns.back().x == x) {
            PlotColumn& column = columns.back();
            // A rest within the column is too short to show as a gap.
            column.lastY = y;
            column.topY = std::min(column.topY, y);
            column.bottomY = std::max(column.bottomY, y);
            column.offScale = column.offScale || offScale;
        } else {
            columns.push_back({x, y, y, y, y, !rested && !columns.empty(), offScale});
        }
        rested = false;
    }
    return columns;
}

}  // namespace ui
