// The device's lower-filter list: read it, tell whether the filter is in it, add or
// remove the filter and write the list back. Failures are silent.
//
// The list is read with a 1024-byte buffer; a longer one is read again at the size
// the platform reports, so that no operation takes it for an empty list. SetFilter
// leaves a list alone that may exist but could not be read whole, and reads a list
// that seems absent once more before it stores the filter alone.
#pragma once

#include <string>
#include <vector>

#include "config/PlannedChange.h"

namespace device {
class TDevice;
}  // namespace device

namespace config {

using TLowerFilterList = std::vector<std::string>;

inline constexpr unsigned kLowerFiltersReadBuffer = 1024;

TLowerFilterList ReadLowerFilters(device::TDevice& device);
bool HasFilter(device::TDevice& device);
// beforeWrite, when given, learns of the write first and may stop it.
void SetFilter(device::TDevice& device, bool on, const BeforeWrite& beforeWrite = {});
// The stored list as a setting: Unknown when it may exist but could not be read whole.
StoredSetting ReadLowerFilterSetting(device::TDevice& device);
// Stores the setting's bytes as the list, or removes the list for Absent. False (and
// nothing written) for Unknown.
bool WriteLowerFilterSetting(device::TDevice& device, const StoredSetting& setting);
// Removes the list's trailing empty entries, then stores it (or deletes it when empty).
void WriteLowerFilters(device::TDevice& device, TLowerFilterList& list);

}  // namespace config
