// The stored bytes of a device's lower-filter list on the current platform family:
// the 9x family keeps "LowerFilters" in the hardware key, the NT family the
// SPDRP_LOWERFILTERS property.
#pragma once

#include <string>

class TDevice;

enum class StoredListState {
    Found,
    Absent,
    // The NT family's failed read that reports no size: most likely an absent
    // property, but the platform does not say so without its last-error code.
    MaybeAbsent,
    // The list may exist but could not be read whole: the hardware key did not
    // open, a second read at the reported size failed, or a 9x query failed for
    // another reason than the value's absence.
    Unreadable,
};

struct StoredList {
    StoredListState state;
    std::string bytes;  // terminating NULs included; empty unless Found
};

// Reads with the 1024-byte buffer; a longer list is read again at the size the
// platform reports.
StoredList ReadStoredLowerFilters(TDevice& device);

// Stores the bytes as the list, or removes the list when they are empty.
void WriteStoredLowerFilters(TDevice& device, const std::string& data);
