#include "cli/DeviceSelection.h"

#include <cctype>

#include "cli/Arguments.h"
#include "cli/DeviceFacts.h"
#include "cli/ExitCodes.h"
#include "device/DeviceList.h"

namespace cli {

namespace {

bool IsHexDigits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return true;
}

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool MatchesPattern(device::TDevice& device, const std::string& upperPattern) {
    if (base::UpperAscii(device.GetInstanceId()).find(upperPattern) != std::string::npos) {
        return true;
    }
    for (const std::string& id : SplitHardwareIds(device.GetHardwareIds())) {
        if (base::UpperAscii(id).find(upperPattern) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsVidPidPattern(const std::string& text) {
    // VID_xxxx&PID_xxxx: 17 characters.
    const std::string upper = base::UpperAscii(text);
    return upper.size() == 17 && upper.compare(0, 4, "VID_") == 0 && IsHexDigits(upper, 4, 4) &&
           upper.compare(8, 5, "&PID_") == 0 && IsHexDigits(upper, 13, 4);
}

std::vector<int> SelectDevices(device::TDeviceList& list, const std::string& argument,
                               bool allMatching) {
    std::vector<int> selected;
    if (AllDigits(argument)) {
        const int row = std::stoi(argument);
        if (row < 1 || row > list.Count()) {
            throw UsageError("no row " + argument + " in the list (it has " +
                             std::to_string(list.Count()) + " rows)");
        }
        selected.push_back(row - 1);
        return selected;
    }
    const bool pattern = IsVidPidPattern(argument);
    if (!pattern && argument.find('\\') == std::string::npos) {
        throw UsageError("\"" + argument +
                         "\" is no instance ID, VID_xxxx&PID_xxxx pattern or row number");
    }
    const std::string upper = base::UpperAscii(argument);
    for (int i = 0; i < list.Count(); ++i) {
        device::TDevice& device = list.GetDevice(i);
        const bool match = pattern ? MatchesPattern(device, upper)
                                   : base::UpperAscii(device.GetInstanceId()) == upper;
        if (match) {
            selected.push_back(i);
        }
    }
    if (selected.empty()) {
        throw UsageError("no listed device matches \"" + argument + "\"");
    }
    if (selected.size() > 1 && !allMatching) {
        throw UsageError("\"" + argument + "\" matches " + std::to_string(selected.size()) +
                         " devices; name one or give --all-matching");
    }
    return selected;
}

}  // namespace cli
