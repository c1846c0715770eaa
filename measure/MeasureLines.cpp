#include "measure/MeasureLines.h"

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

}  // namespace measure
