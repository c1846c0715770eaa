#include "commands/JournalCommands.h"

namespace commands {

namespace {

Result FromReport(const journal::UndoReport& report) {
    Result result;
    if (report.left > 0 || (report.undone == 0 && !report.nothing)) {
        result.kind = Result::Kind::Failed;
        result.why = report.message;
    } else {
        result.kind = report.undone > 0 ? Result::Kind::Written : Result::Kind::Unchanged;
    }
    result.undo = report;
    return result;
}

}  // namespace

Result UndoLast() {
    return FromReport(journal::UndoLastChange());
}

Result RestoreAllChanges(Host& host) {
    if (!host.Confirm({Question::RestoreAll, {}, 0})) {
        Result result;
        result.kind = Result::Kind::Declined;
        result.declined = Question::RestoreAll;
        return result;
    }
    return FromReport(journal::RestoreAll());
}

}  // namespace commands
