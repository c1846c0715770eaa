// Restarting a device and installing the driver service, in-process or, under
// WOW64, through the 64-bit companion program, which is started by its full path
// from this program's folder and waited for.
#pragma once

#include "restart/CompanionLauncher.h"
#include "restart/RestartOutcome.h"
#include "platform/WinTypes.h"

namespace device {
class TDevice;
}  // namespace device

namespace restart {

// A property-change request to the class installer for the device's pair; nothing
// is looked at afterwards.
void RestartDevice(device::TDevice& device);
// Whether this process runs under WOW64; asked anew on every call.
bool IsWow64();
// The Restart button. Under WOW64 the companion restarts the device by its instance
// ID ("U <instance ID>") and reports the outcome by its exit code; otherwise the
// device is restarted in-process through its pair. Either way the restart is verified
// and a problem caused by the filter reverted (restart/VerifiedRestart.h). The pump
// runs while the companion is waited for.
RestartOutcome RequestDeviceRestart(device::TDevice& device, HWND owner,
                                    const MessagePump& pump = {});

enum class InstallOutcome {
    Installed,         // read back: the service is there and can load
    NotInstalled,      // the installer ran, but the service is not there or cannot load
    CompanionMissing,  // under WOW64, kevra64.exe is not beside the program
    Failed,            // the installer could not be started (no quorvin.inf, say),
                       // failed, or did not end in time
};
// The Install Service button: the companion under WOW64 ("e install quorvin.inf"),
// the shell's "install" verb on quorvin.inf otherwise, each waited for with the pump.
// The result is then read back from the service manager (ReadFilterService).
InstallOutcome RequestServiceInstall(HWND owner, const MessagePump& pump = {});

}  // namespace restart
