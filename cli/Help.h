// The --help texts of the program and of each command.
#pragma once

#include <string>

namespace cli {

// The program's help: usage, commands, DEVICE, exit codes.
const char* ProgramHelp();
// A command's help, or null for an unknown command.
const char* CommandHelp(const std::string& command);

}  // namespace cli
