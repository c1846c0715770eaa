// The platform family, read once at start-up with GetVersionExA: dwPlatformId 1
// is the 9x family, every other value (a failed query included) the NT family.
// Only the lower-filter operations depend on it.
#pragma once

namespace config {

enum class PlatformFamily { Win9x, NT };

// Reads the family from the platform and keeps it for the rest of the run.
PlatformFamily InitPlatformFamily();
// The family read by the last InitPlatformFamily (NT before the first).
PlatformFamily CurrentPlatformFamily();

}  // namespace config
