// The program's two actions beyond the registry, restarting a device and installing
// the driver service, each through one function of config/ as the window's buttons
// use them, with the outcome the program can report: what the device's state is
// after the restart (a problem, whoever's filter caused it; the filter taken off
// again), and where a missing companion was looked for.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace device {
class TDevice;
}  // namespace device

namespace cli {

class JsonWriter;

enum class ActionResult { Done, Requested, Failed, RebootNeeded };

// "done", "requested", "failed", "reboot-needed": the JSON and text name.
const char* ActionResultName(ActionResult result);

struct RestartResult {
    ActionResult result = ActionResult::Done;
    // The problem code the device has after the restart; 0: none (or not known).
    ULONG problem = 0;
    // The device did not start with the filter, so it was taken off its list again;
    // worksAgain: the device started after that.
    bool filterTakenOff = false;
    bool worksAgain = false;
    // The companion was missing (under WOW64); companionPath: where it was looked for.
    bool companionMissing = false;
    std::string companionPath;

    bool operator==(ActionResult other) const { return result == other; }
};

// Restarts the device as the window's Restart button does and looks at it afterwards:
// Failed when the restart could not be made, when the filter had to be taken off, or
// when the device has any problem after it.
RestartResult RestartDeviceNow(device::TDevice& device);

// "done", or "failed: the device did not start with the filter (problem 39: ...); ...".
std::string RestartText(const RestartResult& restart);
// The members "restart", "problem" and "problemText" of a change.
void WriteRestartJson(JsonWriter& json, const RestartResult* restart);

struct InstallResult {
    ActionResult result = ActionResult::Failed;
    std::string why;  // for a failure whose cause is known: for the user
};
InstallResult InstallDriverService();

// Why the companion is needed and where it was looked for, for the user.
std::string CompanionMissingText(const std::string& path);

}  // namespace cli
