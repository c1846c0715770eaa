// Which listed devices a DEVICE argument names: an instance ID (letter case ignored),
// a VID_xxxx&PID_xxxx pattern (every device whose instance ID or a hardware ID holds
// it), or a row number of the same list as `list` prints it (1 is the first row).
#pragma once

#include <string>
#include <vector>

namespace device {
class TDeviceList;
}  // namespace device

namespace cli {

// Raises UsageError for a malformed argument, for one that names no device, and for a
// pattern that names several devices unless allMatching is set. The indexes are the
// list's, in list order.
std::vector<int> SelectDevices(device::TDeviceList& list, const std::string& argument,
                               bool allMatching);

// Whether the text is a VID_xxxx&PID_xxxx pattern (hex digits, letter case ignored).
bool IsVidPidPattern(const std::string& text);

}  // namespace cli
