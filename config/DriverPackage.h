// What this program hands to the driver package, which lies outside it: the filter's
// name in a lower-filter list, the setup information file and the companion program
// with its two command lines.
#pragma once

#include <string>

#include "config/PlatformFamily.h"

namespace config {

// "quorvin.sys" (the driver file) on the 9x family, "quorvin" (the service) on NT.
const char* FilterName(PlatformFamily family);

inline constexpr const char* kInfFile = "quorvin.inf";
inline constexpr const char* kInstallVerb = "install";
inline constexpr const char* kCompanion = "kevra64.exe";
inline constexpr const char* kCompanionInstallParameters = "e install quorvin.inf";

// "U " followed by the instance ID, exactly as read, without quotes.
std::string CompanionRestartParameters(const std::string& instanceId);

}  // namespace config
