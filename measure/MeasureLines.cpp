#include "measure/MeasureLines.h"

#include <algorithm>
#include <cmath>

#include "base/DecimalText.h"

namespace measure {

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
                                 : "Now: " + base::FixedDecimalText<0>(figures.lastSecondHz) +
                                       " reports/s (last second)");
    lines.push_back("Whole run: " + base::FixedDecimalText<0>(figures.runHz) +
                    " reports/s while in use");
    lines.push_back("Median interval: " + base::FixedDecimalText<3>(figures.medianMs) +
                    " ms, spread (10-90%): " + base::FixedDecimalText<3>(figures.spreadMs) + " ms");
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
           base::FixedDecimalText<0>(setting.expectedMs) + " ms.";
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

}  // namespace measure
