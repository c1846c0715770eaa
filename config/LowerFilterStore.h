// The stored bytes of a device's lower-filter list on the current platform family:
// the 9x family keeps "LowerFilters" in the hardware key, the NT family the
// SPDRP_LOWERFILTERS property.
#pragma once

#include <optional>
#include <string>

class TDevice;

// The stored bytes, terminating NULs included; empty when the list is absent or
// the hardware key cannot be opened. A list longer than the 1024-byte buffer is
// read again with a buffer of the size the platform asks for. No answer when a
// list may exist but could not be read whole (the second read failed, or on the
// 9x family a query failed for another reason than the value's absence), so that
// no caller mistakes a list it could not see for an empty one. On the NT family a
// failed read that reports no size counts as an absent list: the platform tells no
// more without its last-error code.
std::optional<std::string> ReadStoredLowerFilters(TDevice& device);

// Stores the bytes as the list, or removes the list when they are empty.
void WriteStoredLowerFilters(TDevice& device, const std::string& data);
