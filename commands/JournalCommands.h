// Taking recorded changes back: the newest one, or every one after the host agrees
// (Question::RestoreAll).
#pragma once

#include "commands/Host.h"
#include "commands/Result.h"

namespace commands {

// Written when changes were taken back and none was left; Unchanged when the journal
// had none; Failed when any was left or the journal could not be used. `undo` holds
// the report, whose message is for the user.
Result UndoLast();
Result RestoreAllChanges(Host& host);

}  // namespace commands
