// What a row's hint says about its device: the product name the device reports on
// its bus and the vendor and product IDs from its hardware IDs, e.g.
//   "Wireless Gaming Mouse — VID 046D, PID C08B"
// The program's text is 8-bit ANSI: the name is converted to the ANSI code page, and
// so is the dash, which becomes "-" where the code page has no em dash.
#pragma once

#include <optional>
#include <string>

namespace device {
class TDevice;
}  // namespace device

namespace input {

struct UsbIds {
    std::string vid;  // four upper-case hex digits
    std::string pid;  // likewise, or empty when no ID names one
};

// From the hardware IDs (each followed by its NUL): the first ID with "VID_" and four
// hex digits, in any letter case; its "PID_" if it has one.
std::optional<UsbIds> UsbIdsOf(const std::string& hardwareIds);

// The bus-reported description in the ANSI code page, or nothing when the device
// reports none or the platform cannot read it (Windows XP has no reader for it).
std::optional<std::string> BusReportedName(device::TDevice& device);

// " — " in the ANSI code page, or " - " where it has no em dash.
std::string HintDash();

std::string HintText(const std::optional<std::string>& name, const std::optional<UsbIds>& ids,
                     const std::string& dash);

// The hint of a listed device.
std::string DeviceHint(device::TDevice& device);

}  // namespace input
