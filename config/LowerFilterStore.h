// The stored bytes of a device's lower-filter list on the current platform family:
// the 9x family keeps "LowerFilters" in the hardware key, the NT family the
// SPDRP_LOWERFILTERS property.
#pragma once

#include <optional>
#include <string>

class TDevice;

// The stored bytes, terminating NULs included. Empty when the list is absent, the
// hardware key cannot be opened or the read fails. A list longer than the 1024-byte
// buffer is read again with a buffer of the size the platform asks for; when that
// read fails as well there is no answer, so that no caller mistakes a list it
// could not see for an empty one.
std::optional<std::string> ReadStoredLowerFilters(TDevice& device);

// Stores the bytes as the list, or removes the list when they are empty.
void WriteStoredLowerFilters(TDevice& device, const std::string& data);
