// The polling-rate setting: "bInterval" in the device's driver key, shown as one of
// seven rate choices. Failures are silent.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "config/PlannedChange.h"

namespace device {
class TDevice;
}  // namespace device

namespace config {

inline constexpr int kRateCount = 7;
// The bInterval stored for each rate index; index 0 ("Default") stores nothing.
inline constexpr std::array<std::uint32_t, kRateCount> RateTable = {0, 1, 2, 4, 8, 16, 32};
// Polls per second, the label of each index in the rate list and the grid.
inline constexpr std::array<const char*, kRateCount> RateNames = {"Default", "1000", "500", "250",
                                                                  "125",     "62",   "31"};

// The rate index (0 to 6) of the stored value.
int ReadRateIndex(device::TDevice& device);
// The same for a reader that may lack the right to change the key (the command-line
// program, which a standard user may run): the key is opened for KEY_READ, and one that
// does not open leaves the rate unknown (nothing) rather than "Default", unless it does
// not exist at all (a device without a driver), which stores nothing: "Default".
std::optional<int> ReadRateIndexToRead(device::TDevice& device);
// Stores RateTable[index] (indexes above 6 count as 6), or deletes the value for 0.
// beforeWrite, when given, learns of the write first and may stop it.
void WriteRateIndex(device::TDevice& device, std::uint32_t index,
                    const BeforeWrite& beforeWrite = {});
// The stored bInterval as a setting: Present with its 4 bytes whatever its type;
// Unknown when the key does not open or the value is not 4 bytes long.
StoredSetting ReadRateSetting(device::TDevice& device);
// Stores the 4 bytes as a REG_DWORD, or deletes the value for Absent. False (and
// nothing written) for Unknown, other lengths or a key that does not open.
bool WriteRateSetting(device::TDevice& device, const StoredSetting& setting);

}  // namespace config
