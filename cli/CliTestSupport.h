// Running quorvin's commands in the native suite: one command line against the
// current simulated machine, its exit code, output and error text, and a count of
// the platform calls that change a machine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "platform/sim/SimMachine.h"

namespace cli_test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Moves collections of the current simulated machine, as the demo program does while
// it measures.
using Mover = std::function<void(const std::vector<std::string>&, double)>;

inline CliRun Quorvin(const std::vector<std::string>& args, const std::string& input = {},
                      const Mover& move = {}) {
    cli::CliIo io;
    io.readInput = [input] { return input; };
    io.moveDevice = move;
    CliRun run;
    run.code = cli::RunCli(args, io);
    run.out = io.out;
    run.err = io.err;
    return run;
}

// Registry writes and deletes, class-installer requests and shell requests.
inline std::size_t ChangingCalls(const sim::Machine& machine) {
    std::size_t count = 0;
    for (const char* op :
         {"SetupDiSetDeviceRegistryPropertyA", "RegSetValueExA", "RegDeleteValueA",
          "SetupDiCallClassInstaller", "ShellExecuteA", "ShellExecuteExW", "InstallHinfSectionW"}) {
        count += machine.CountCalls(op);
    }
    return count;
}

// The number of lines of a text.
inline std::size_t Lines(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

}  // namespace cli_test
