// What a measurement of a device's polling rate says in words, the same in the
// measuring window (ui/win32/MeasureWindow) and in `quorvin measure`.
#pragma once

#include <string>
#include <vector>

#include "input/RateStats.h"

namespace measure {

// The figure lines for the measurement so far. `keyboard`: the device is asked to
// have keys pressed rather than be moved.
std::vector<std::string> MeasureLines(const input::RateFigures& figures, bool keyboard);

}  // namespace measure
