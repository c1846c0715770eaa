// The commands of quorvin. Each takes the arguments after the program name (the
// command's name first), writes its report to out and returns an exit code; bad
// usage and failures are raised (ExitCodes.h) and reported by RunCli.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

struct Console {
    std::ostream& out;
    std::istream& in;  // a profile read from "-"
};

using CommandArgs = std::vector<std::string>;

int ListCommand(const CommandArgs& args, Console& console);
int ShowCommand(const CommandArgs& args, Console& console);
int SetCommand(const CommandArgs& args, Console& console);
int RestartCommand(const CommandArgs& args, Console& console);
int InstallCommand(const CommandArgs& args, Console& console);
int ExportCommand(const CommandArgs& args, Console& console);
int ApplyCommand(const CommandArgs& args, Console& console);

}  // namespace cli
