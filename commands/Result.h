// What became of a command: the one result every command returns to its front end.
#pragma once

#include <optional>
#include <string>

#include "commands/Host.h"
#include "journal/Undo.h"
#include "restart/Restart.h"

namespace commands {

struct Result {
    enum class Kind {
        Written,    // the change was made (or, for a restart, carried out)
        Unchanged,  // there was nothing to change
        Declined,   // a question was answered "no": nothing was written
        Failed,     // the change was tried and did not take, or could not be tried
    };
    Kind kind = Kind::Unchanged;
    // Declined: the question that stopped it.
    std::optional<Question> declined;
    // Why it failed, or was declined; for a change made without an undo record, why
    // it could not be recorded. Empty where the kind says it all.
    std::string why;
    // What the restart, install or undo reported in its own terms, for the front end
    // that tells more than the kind.
    std::optional<restart::RestartOutcome> restart;
    std::optional<restart::InstallOutcome> install;
    std::optional<journal::UndoReport> undo;

    bool Written() const { return kind == Kind::Written; }
};

}  // namespace commands
