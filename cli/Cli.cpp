#include "cli/Cli.h"

#include <algorithm>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/Help.h"
#include "config/PlatformFamily.h"

namespace cli {

namespace {

using CommandFn = int (*)(const CommandArgs&, Console&);

struct CommandEntry {
    const char* name;
    CommandFn run;
};

constexpr CommandEntry kCommands[] = {
    {"list", ListCommand},       {"show", ShowCommand},       {"set", SetCommand},
    {"restart", RestartCommand}, {"install", InstallCommand}, {"export", ExportCommand},
    {"apply", ApplyCommand},     {"status", StatusCommand},   {"undo", UndoCommand},
    {"measure", MeasureCommand},
};

bool AsksForHelp(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--help") != args.end() ||
           std::find(args.begin(), args.end(), "/?") != args.end();
}

int Run(const std::vector<std::string>& args, Console& console) {
    const std::string command = FindCommand(args);
    if (command.empty() || command == "help") {
        if (AsksForHelp(args) || command == "help") {
            console.out += ProgramHelp();
            return kExitDone;
        }
        throw UsageError(args.empty() ? "no command; try quorvin --help"
                                      : "unknown option " + args.front() + "; try quorvin --help");
    }
    for (const CommandEntry& entry : kCommands) {
        if (command != entry.name) {
            continue;
        }
        if (AsksForHelp(args)) {
            console.out += CommandHelp(command);
            return kExitDone;
        }
        // The filter's name in lower-filter lists depends on the family, as in the window.
        config::InitPlatformFamily();
        // The command comes first for the parser, wherever options were put.
        std::vector<std::string> ordered{command};
        bool skipped = false;
        for (const std::string& arg : args) {
            if (!skipped && arg == command) {
                skipped = true;
                continue;
            }
            ordered.push_back(arg);
        }
        return entry.run(ordered, console);
    }
    throw UsageError("unknown command \"" + command + "\"; try quorvin --help");
}

}  // namespace

void PrintError(std::string& err, const std::string& message) {
    std::string line = message;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    err += "quorvin: " + line + '\n';
}

int RunCli(const std::vector<std::string>& args, CliIo& io) {
    Console console{io.out, io.readInput, io.progress, io.moveDevice};
    try {
        return Run(args, console);
    } catch (const UsageError& e) {
        PrintError(io.err, e.what());
        return kExitBadUsage;
    } catch (const std::exception& e) {
        PrintError(io.err, e.what());
        return kExitFailed;
    }
}

}  // namespace cli
