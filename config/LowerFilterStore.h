// The stored bytes of a device's lower-filter list on the current platform family:
// the 9x family keeps "LowerFilters" in the hardware key, the NT family the
// SPDRP_LOWERFILTERS property.
#pragma once

#include <string>

namespace device {
class TDevice;
}  // namespace device

namespace config {

enum class StoredListState {
    Found,
    // The platform said so: the 9x value is missing, or the NT family's read failed
    // with ERROR_INVALID_DATA, its code for a property the device does not have.
    Absent,
    // The list may exist but could not be read whole: the hardware key did not
    // open, a read failed for another reason than the list's absence, or a second
    // read at the reported size failed.
    Unreadable,
};

struct StoredList {
    StoredListState state;
    std::string bytes;  // terminating NULs included; empty unless Found
};

// Reads with the 1024-byte buffer; a longer list is read again at the size the
// platform reports.
StoredList ReadStoredLowerFilters(device::TDevice& device);

// Stores the bytes as the list, or removes the list when they are empty.
void WriteStoredLowerFilters(device::TDevice& device, const std::string& data);

}  // namespace config
