// What a measurement of a device's polling rate says in words, the same in the
// measuring window (ui/win32/MeasureWindow) and in `quorvin measure`, and why the
// measured interval may differ from the stored rate's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/RateStats.h"

namespace measure {

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

}  // namespace measure
