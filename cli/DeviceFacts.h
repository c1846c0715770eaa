// What the program reports about one device, read through the same device/ and
// config/ code the window's grid reads: names, IDs, mouse, hub, filter, rate and the
// questions that attaching the filter asks (which --force stands for).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/JsonWriter.h"

namespace device {
class TDevice;
}  // namespace device

namespace cli {

struct DeviceFacts {
    std::string instanceId;
    std::vector<std::string> hardwareIds;
    std::string description;
    // The product name the device reports on its bus; nothing when it reports none
    // or Windows cannot tell (XP).
    std::optional<std::string> productName;
    std::string parentName;
    std::string childNames;
    bool mouse = false;
    bool hub = false;
    bool filter = false;
    int rate = 0;  // rate index, a position in RateNames; kRateUnknown when unreadable
    bool hubQuestion = false;
    // True also when the parent cannot be opened: the window would not attach then.
    bool usefulnessQuestion = false;
};

// A rate whose driver key could not be opened (a standard user's run, say): never
// taken for "Default".
inline constexpr int kRateUnknown = -1;
// The rate's name in RateNames, or "unknown".
const char* RateLabel(int rate);
// The device's rate index read for reading only, or kRateUnknown.
int ReadRate(device::TDevice& device);

DeviceFacts ReadFacts(device::TDevice& device);

// The hardware-ID multi-string as the device reports it, split into its entries.
std::vector<std::string> SplitHardwareIds(const std::string& multiString);
// The hardware ID a profile keys a model by: the most general one (the last) that
// still names vendor and product ("USB\VID_046D&PID_C08B&MI_00"), or empty.
std::string ModelHardwareId(const std::vector<std::string>& hardwareIds);

// The product name, or "-" without one.
std::string ProductNameText(const DeviceFacts& facts);
// "hub", "usefulness", "hub,usefulness" or "-".
std::string QuestionsText(const DeviceFacts& facts);
// Writes the device object of the JSON schema; row 0 leaves the row out.
void WriteFactsJson(JsonWriter& json, const DeviceFacts& facts, int row);

}  // namespace cli
