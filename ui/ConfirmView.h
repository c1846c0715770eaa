// The words of the question "Keep these settings?" after a restart that the device
// did not confirm: what was changed, why the program asks, and the countdown.
#pragma once

#include <string>

#include "confirm/Watch.h"

namespace ui {

inline constexpr const char* kKeepCaption = "Keep these settings?";
inline constexpr const char* kKeepButton = "&Keep";
inline constexpr const char* kRevertButton = "&Revert";

// What happened and why the program asks, in one paragraph.
std::string ConfirmExplanation(const confirm::Watch& watch);
// "Reverting to filter off, rate Default in 12 seconds."
std::string ConfirmCountdown(const confirm::Watch& watch, LONGLONG now);

}  // namespace ui
