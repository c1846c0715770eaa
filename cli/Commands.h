// The commands of quorvin. Each takes the arguments after the program name (the
// command's name first), writes its report to out and returns an exit code; bad
// usage and failures are raised (ExitCodes.h) and reported by RunCli.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

struct Console {
    std::string& out;
    // Standard input, read whole when a command needs it (a profile given as "-").
    const std::function<std::string()>& readInput;
    // A line for the user while a command runs (the measuring prompt); may be empty.
    const std::function<void(const std::string&)>& progress;
    // The demo machine's stand-in for a hand on the device: moves the collections for
    // that many milliseconds from now. Empty on a real machine.
    const std::function<void(const std::vector<std::string>&, double)>& moveDevice;
};

using CommandArgs = std::vector<std::string>;

int ListCommand(const CommandArgs& args, Console& console);
int ShowCommand(const CommandArgs& args, Console& console);
int SetCommand(const CommandArgs& args, Console& console);
int RestartCommand(const CommandArgs& args, Console& console);
int InstallCommand(const CommandArgs& args, Console& console);
int ExportCommand(const CommandArgs& args, Console& console);
int ApplyCommand(const CommandArgs& args, Console& console);
int StatusCommand(const CommandArgs& args, Console& console);
int UndoCommand(const CommandArgs& args, Console& console);
int MeasureCommand(const CommandArgs& args, Console& console);

}  // namespace cli
