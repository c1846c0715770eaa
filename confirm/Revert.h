// Taking back a change the device did not confirm: the filter is put in or taken out
// of its lower-filter list as it was when the device last started (every other entry
// stays as it is now) and its stored rate put back, each write told first to whoever
// records it (the undo journal), and a present device restarted so that it runs as
// before.
#pragma once

#include <functional>
#include <string>

#include "config/PlannedChange.h"
#include "restart/RestartOutcome.h"
#include "confirm/Watch.h"
#include "device/DeviceState.h"

namespace device {
class TDevice;
}  // namespace device

namespace confirm {

// Learns of a write to the device first; false stops it.
using RecordWrite = std::function<bool(device::TDevice&, const config::PlannedChange&)>;
// Restarts the device, verified.
using RestartWith = std::function<restart::RestartOutcome(device::TDevice&)>;

struct RevertResult {
    enum class Kind {
        Reverted,    // the device has its earlier filter and rate again
        Stopped,     // the record refused a write: what was written stays, nothing more
        NotWritten,  // a setting could not be written back (or its earlier value is unknown)
        Gone,        // the device is not known to Windows any more
    };
    Kind kind = Kind::NotWritten;
    bool restarted = false;  // a present device was restarted (restart holds the outcome)
    restart::RestartOutcome restart;
    device::DeviceState after;  // read after the restart
};

RevertResult RevertToStarted(const WatchedDevice& device, const RecordWrite& record,
                             const RestartWith& restart);

// The one message about what happened. answered: the user chose "Revert" (rather than
// leaving the question unanswered, or a command line waiting in vain).
std::string DescribeRevert(const WatchedDevice& device, const RevertResult& result, bool answered);

// "filter on, rate 1000" for the user.
std::string SettingsText(const DriveSettings& settings);

}  // namespace confirm
