// Recording changes before they are made, and taking them back: the undo journal's
// operations for the window and the command-line program.
//
//   RecordChange    before a setting of a device is written: appends the change (time,
//                   instance ID, first hardware ID, the setting before and after).
//   UndoLastChange  puts the newest change's earlier value back and drops it.
//   RestoreAll      does so for every change, newest first.
//
// A change is taken back only while the device still has the value the program wrote;
// if something else changed it since, it is left alone and the change stays in the
// journal. A device that already has the earlier value again only loses its entry.
// A journal that is refused or damaged changes nothing (see JournalStore.h).
#pragma once

#include <string>

#include "config/PlannedChange.h"

namespace device {
class TDevice;
}  // namespace device

namespace journal {

// Empty when the change is recorded (or needs no record: nothing changes); otherwise
// why it could not be, for the user.
std::string RecordChange(device::TDevice& device, const config::PlannedChange& change);

struct UndoReport {
    int undone = 0;        // changes taken back (or found taken back already)
    int left = 0;          // changes left in the journal because they could not be
    bool nothing = false;  // the journal had no change
    std::string message;   // for the user: what happened, what was left and why
};

UndoReport UndoLastChange();
UndoReport RestoreAll();

}  // namespace journal
