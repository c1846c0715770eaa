// The program's two actions beyond the registry, restarting a device and installing
// the driver service, each through one function of config/ as the window's buttons
// use them, with the outcome the program can report.
//
// config/ hands both to the 64-bit companion under WOW64 without waiting for it, so
// there the outcome is "requested". Once config/ waits for the companion and reads
// the reboot flags, these two functions are the only place to change.
#pragma once

class TDevice;

namespace cli {

enum class ActionResult { Done, Requested, Failed, RebootNeeded };

// "done", "requested", "failed", "reboot-needed": the JSON and text name.
const char* ActionResultName(ActionResult result);

ActionResult RestartDeviceNow(TDevice& device);
ActionResult InstallDriverService();

}  // namespace cli
