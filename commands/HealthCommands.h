// Repairing from the filter's health: the filter comes off every device it keeps
// from starting, each change recorded first, every other entry of their lists kept,
// present devices restarted and verified.
#pragma once

#include <string>

#include "commands/Host.h"
#include "commands/Result.h"

namespace health {
struct FilterHealth;
}  // namespace health

namespace commands {

// Asks Question::RepairHealth (with the number of devices) first. Unchanged when
// there is nothing to repair; Written when every device was repaired and any
// restarted one works; Failed when any was not. `why` holds one line per device,
// each starting "\n- ", for the user.
Result RepairHealth(const health::FilterHealth& health, Host& host);

}  // namespace commands
