// The two actions beyond the registry: restarting a device (verified, a problem the
// filter caused reverted) and installing the driver service. Both may hand the work
// to the 64-bit companion and wait for it through the host.
#pragma once

#include "commands/Host.h"
#include "commands/Result.h"

namespace device {
class TDevice;
}  // namespace device

namespace commands {

// Written when the device restarted (or needs a reboot to finish); Failed otherwise.
// `restart` holds the outcome in full.
Result Restart(device::TDevice& device, Host& host);

// Written when the service reads back installed and able to load; Failed otherwise. `install`
// holds the outcome in full.
Result InstallService(Host& host);

}  // namespace commands
