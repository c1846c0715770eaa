#include "ui/MeasureView.h"

#include <algorithm>
#include <cmath>

#include "base/DecimalText.h"

std::vector<std::string> MeasureLines(const input::RateFigures& figures, bool keyboard) {
    std::vector<std::string> lines;
    lines.push_back(keyboard ? "Press keys on the device: only its own reports are counted."
                             : "Move the device: only its own reports are counted.");
    lines.push_back("Reports measured: " + std::to_string(figures.reports));
    if (!figures.enough) {
        lines.push_back("Not enough data yet.");
        return lines;
    }
    lines.push_back(figures.idle ? std::string("Now: idle (the device sends nothing while unused)")
                                 : "Now: " + FixedDecimalText<0>(figures.lastSecondHz) +
                                       " reports/s (last second)");
    lines.push_back("Whole run: " + FixedDecimalText<0>(figures.runHz) + " reports/s while in use");
    lines.push_back("Median interval: " + FixedDecimalText<3>(figures.medianMs) +
                    " ms, spread (10-90%): " + FixedDecimalText<3>(figures.spreadMs) + " ms");
    if (figures.bunched) {
        lines.push_back("Windows delivered reports in bunches: the figures are less precise.");
    } else if (figures.background) {
        lines.push_back("Measured while another program was active: Windows may coalesce input.");
    }
    return lines;
}

std::string ExpectedLine(const RateComparison& setting) {
    if (setting.expectedMs <= 0) {
        return "No rate stored: the device keeps its own interval.";
    }
    return "Expected from the stored rate: one report every " +
           FixedDecimalText<0>(setting.expectedMs) + " ms.";
}

std::string DifferenceLine(const input::RateFigures& figures, const RateComparison& setting) {
    if (!figures.enough || setting.expectedMs <= 0 || figures.medianMs <= 0) {
        return {};
    }
    // A tenth of the interval at least: a steady device's spread can be near nothing,
    // and its median still sits a hair off the nominal interval.
    const double jitter = std::max(figures.spreadMs, setting.expectedMs / 10);
    if (std::fabs(figures.medianMs - setting.expectedMs) <= jitter) {
        return {};
    }
    if (!setting.filterOn) {
        return "The filter is not on this device: the stored rate has no effect without it.";
    }
    if (!setting.restartPending) {
        return "A stored rate takes effect only after Restart; if the device was restarted "
               "since, it may not support that rate.";
    }
    return *setting.restartPending ? "The stored rate takes effect only after Restart."
                                   : "The device may not support that rate.";
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
