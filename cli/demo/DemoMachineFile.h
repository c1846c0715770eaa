// The demo machine of the native quorvin program, kept in a file between runs so
// that a sequence of commands behaves as on one machine: --machine FILE names the
// file (default: quorvin/demo-machine.txt under $XDG_STATE_HOME, or under
// ~/.local/state), --reset starts again from the built-in demo machine.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace demo {

struct DemoOptions {
    std::string machineFile;
    bool reset = false;
    std::vector<std::string> rest;  // the arguments for quorvin itself
};

// Takes --machine and --reset out of the arguments; raises cli::UsageError for
// --machine without a file. An empty machineFile means the default.
DemoOptions TakeDemoOptions(const std::vector<std::string>& args);

// The default file from the environment's values (either may be null); empty when
// neither is set.
std::string DefaultMachineFile(const char* xdgStateHome, const char* home);

// Fills the machine from the file, or with the demo machine when the file does not
// exist. Raises sim::MachineFileError for a file that exists but cannot be read.
void LoadOrBuild(sim::Machine& machine, const std::string& file);

// Writes the machine to the file (through a temporary beside it, named per process,
// so that a failed write leaves the old state), making its folder first. Raises
// std::runtime_error. Runs that save hold the MachineLock from before their load.
void Save(sim::Machine& machine, const std::string& file);

// The whole native program after its options were taken: loads the machine (under
// the MachineLock when the command may change it), runs quorvin, saves, prints.
// Returns the exit code.
int RunDemo(const DemoOptions& options);

}  // namespace demo
