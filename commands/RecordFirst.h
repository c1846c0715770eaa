// The rule that every change to a device's settings is recorded in the undo journal
// before it is written, in one place for every command.
#pragma once

#include "commands/Host.h"
#include "config/PlannedChange.h"

namespace device {
class TDevice;
}  // namespace device

namespace commands {

// What stopped a write before it was made.
struct WriteStop {
    bool stopped = false;
    bool declined = false;  // the host answered "no" to the Unrecorded question
    std::string why;        // why the change could not be recorded
};

// The journal's hook for a write to the device: records the change first; when it
// cannot, asks the host whether to make it anyway (Question::Unrecorded); where no
// journal can be kept at all, tells the host so and makes the change. A device
// that cannot name itself has gone: nothing is written that the journal could not
// name. `stop` tells the caller what happened.
config::BeforeWrite RecordFirst(device::TDevice& device, Host& host, WriteStop& stop);

}  // namespace commands
