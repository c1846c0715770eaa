// undo: takes back the newest change of the undo journal, or with --all every
// change, through the same journal code as the window's context menu, with the same
// rule: a setting is written back only while it still holds what the program wrote.
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/ScriptHost.h"
#include "commands/JournalCommands.h"

namespace cli {

int UndoCommand(const CommandArgs& argv, Console& console) {
    const Arguments args = ParseArguments(argv, {{"all"}, {"json"}}, 0);
    const bool all = args.Has("all");
    ScriptHost host(false, false);
    const journal::UndoReport report =
        *(all ? commands::RestoreAllChanges(host) : commands::UndoLast()).undo;
    // Nothing to undo is done; anything left behind, or a journal that could not be
    // used, is a failure.
    const bool failed = report.left > 0 || (report.undone == 0 && !report.nothing);
    if (args.Has("json")) {
        JsonWriter json;
        json.BeginObject().Key("version").Number(1).Key("command").String("undo");
        json.Key("all").Bool(all).Key("undone").Number(report.undone);
        json.Key("left").Number(report.left).Key("nothing").Bool(report.nothing);
        json.Key("message").String(report.message).EndObject();
        console.out += json.Text() + '\n';
    } else {
        console.out += report.message + '\n';
    }
    if (failed) {
        throw CommandFailed(report.left > 0
                                ? std::to_string(report.left) + " change(s) could not be undone"
                                : "nothing could be undone");
    }
    return kExitDone;
}

}  // namespace cli
