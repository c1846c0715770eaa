// Changing one device's filter and rate, shared by `set` and `apply`: the check that
// stands for the window's questions, the writes through commands/, and the record
// of what changed, read back from the registry afterwards.
#pragma once

#include <optional>
#include <string>

#include "cli/DeviceActions.h"
#include "cli/JsonWriter.h"

namespace device {
class TDevice;
}  // namespace device

namespace cli {

struct DesiredSetting {
    std::optional<bool> filter;
    std::optional<int> rate;  // rate index
};

// What became of a change waited for with --confirm.
enum class ConfirmResult { Confirmed, Reverted, NotReverted };
// "confirmed", "reverted", "not-reverted": the JSON name.
const char* ConfirmResultName(ConfirmResult result);

struct DeviceChange {
    std::string instanceId;
    std::string matchedBy;  // "device" (set), "instance-id" or "hardware-id" (apply)
    bool filterBefore = false;
    bool filterAfter = false;
    int rateBefore = 0;
    int rateAfter = 0;
    bool failed = false;  // a write did not take: the registry holds something else
    std::string note;     // why a write was not made, or that it was made unrecorded
    // What the writes left, before any restart: a restart that finds the device does not
    // start with the filter takes it off again, and then differs from filterAfter.
    bool filterWritten = false;
    std::optional<RestartResult> restart;
    std::optional<ConfirmResult> confirm;  // --confirm only
    std::string confirmNote;               // how a change that was not confirmed ended

    // The state after the command, restart and revert included, differs from before.
    bool Changed() const { return filterBefore != filterAfter || rateBefore != rateAfter; }
};

// Raises UsageError when attaching the filter would ask one of the window's questions
// (a hub, a parent that is no hub, a driver that cannot load or whose state is
// unknown) and force is not set. A device that carries the filter already is asked
// nothing, as the window's box is checked already.
void CheckQuestions(device::TDevice& device, const DesiredSetting& setting, bool force);

// Writes what differs from the device's state, each change recorded in the undo
// journal first, then reads both back. A change the journal cannot record is not
// made (the change fails) unless unrecordedToo is set, which stands for the
// window's "Make the change anyway?".
DeviceChange ApplySetting(device::TDevice& device, const DesiredSetting& setting,
                          bool unrecordedToo);

// Restarts the device and reads its filter and rate again, so that the change
// describes the state after the restart (a filter taken off again reads as such).
void RestartAndReread(device::TDevice& device, DeviceChange& change);

// Parses a rate name of RateNames ("Default" in any letter case); UsageError otherwise.
int ParseRate(const std::string& name);
// Parses "on" or "off"; UsageError otherwise.
bool ParseOnOff(const std::string& option, const std::string& value);

void WriteChangeJson(JsonWriter& json, const DeviceChange& change);
// One line: "USB\...: filter off -> on, rate Default -> 1000, restart done"; a filter
// taken off again after the restart: "filter off -> on -> off (taken off again)".
std::string ChangeText(const DeviceChange& change);

}  // namespace cli
