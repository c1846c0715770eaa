#include "commands/RecordFirst.h"

#include "device/Device.h"
#include "journal/JournalStore.h"
#include "journal/Undo.h"

namespace commands {

config::BeforeWrite RecordFirst(device::TDevice& device, Host& host, WriteStop& stop) {
    return [&device, &host, &stop](const config::PlannedChange& change) {
        if (device.GetInstanceId().empty()) {
            stop.stopped = true;
            stop.why = "the device has gone";
            return false;
        }
        host.BeforeChange(device);
        if (const std::string notKept = journal::JournalNotKeptHere(); !notKept.empty()) {
            stop.why = notKept;
            host.JournalNotKept(notKept);
            return true;
        }
        const std::string failure = journal::RecordChange(device, change);
        if (failure.empty()) {
            return true;
        }
        stop.why = failure;
        if (host.Confirm({Question::Unrecorded, failure, 0})) {
            return true;
        }
        stop.stopped = true;
        stop.declined = true;
        return false;
    };
}

}  // namespace commands
