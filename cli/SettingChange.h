// Changing one device's filter and rate, shared by `set` and `apply`: the check that
// stands for the window's questions, the writes through commands/, and the record
// of what changed, read back from the registry afterwards.
#pragma once

#include <optional>
#include <string>

#include "cli/DeviceActions.h"
#include "cli/JsonWriter.h"

class TDevice;

namespace cli {

struct DesiredSetting {
    std::optional<bool> filter;
    std::optional<int> rate;  // rate index
};

struct DeviceChange {
    std::string instanceId;
    std::string matchedBy;  // "device" (set), "instance-id" or "hardware-id" (apply)
    bool filterBefore = false;
    bool filterAfter = false;
    int rateBefore = 0;
    int rateAfter = 0;
    bool failed = false;  // a write did not take: the registry holds something else
    std::string note;     // why a write was not made, or that it was made unrecorded
    std::optional<ActionResult> restart;

    bool Changed() const { return filterBefore != filterAfter || rateBefore != rateAfter; }
};

// Raises UsageError when attaching the filter would ask one of the window's questions
// (a hub, a parent that is no hub, a driver that cannot load or whose state is
// unknown) and force is not set. A device that carries the filter already is asked
// nothing, as the window's box is checked already.
void CheckQuestions(TDevice& device, const DesiredSetting& setting, bool force);

// Writes what differs from the device's state, each change recorded in the undo
// journal first, then reads both back. A change the journal cannot record is not
// made (the change fails) unless unrecordedToo is set, which stands for the
// window's "Make the change anyway?".
DeviceChange ApplySetting(TDevice& device, const DesiredSetting& setting, bool unrecordedToo);

// Parses a rate name of RateNames ("Default" in any letter case); UsageError otherwise.
int ParseRate(const std::string& name);
// Parses "on" or "off"; UsageError otherwise.
bool ParseOnOff(const std::string& option, const std::string& value);

void WriteChangeJson(JsonWriter& json, const DeviceChange& change);
// One line: "USB\...: filter off -> on, rate Default -> 1000, restart done".
std::string ChangeText(const DeviceChange& change);

}  // namespace cli
