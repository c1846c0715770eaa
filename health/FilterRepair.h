// Taking the filter off a device that it keeps from starting: the filter's entry
// leaves the device's lower-filter list (every other entry stays), the change is told
// to whoever must know of it first (the undo journal), and a present device is
// restarted so that it starts without the filter.
#pragma once

#include <functional>
#include <string>

#include "config/PlannedChange.h"
#include "restart/RestartOutcome.h"
#include "device/DeviceState.h"

namespace device {
class TDevice;
}  // namespace device

namespace health {

struct FilteredDevice;

struct FilterRepair {
    enum class Kind {
        Removed,     // the filter is off the list
        Stopped,     // beforeWrite refused the write: nothing changed
        NotRemoved,  // the list could not be read or written
        Gone,        // the device is not known to Windows any more
    };
    Kind kind = Kind::NotRemoved;
    bool restarted = false;  // a present device was restarted (restart holds the outcome)
    restart::RestartOutcome restart;
    device::DeviceState after;  // read once more after the restart
};

// Learns of the write to the device first and may stop it (false).
using DeviceBeforeWrite = std::function<bool(device::TDevice&, const config::PlannedChange&)>;
// Restarts a device, in-process or through the companion, and verifies the restart.
using DeviceRestart = std::function<restart::RestartOutcome(device::TDevice&)>;

// Opens the device by its instance ID into a set of its own and takes the filter off
// its list; a device that is present is then restarted with `restart` and its state
// read again.
FilterRepair RemoveFilterFrom(const std::string& instanceId,
                              const health::DeviceBeforeWrite& beforeWrite,
                              const health::DeviceRestart& restart);

// One line for the user about the device and what became of it.
std::string DescribeRepair(const FilteredDevice& device, const FilterRepair& repair);

}  // namespace health
