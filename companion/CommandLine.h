// The companion's two command lines, "U <instance ID>" and "e install <file>", and
// the arguments part of the command line Windows hands a program.
#pragma once

#include <optional>
#include <string>

namespace companion {

struct CompanionCommand {
    enum class Kind { Restart, Install };
    Kind kind;
    // The instance ID for Restart, the setup information file for Install.
    std::string argument;
};

// The command, or nothing when the line is neither form or lacks its argument.
// Tokens are separated by blanks or tabs; the rest of the line after the command
// word is its argument, trailing blanks dropped, and a file name may be quoted.
std::optional<CompanionCommand> ParseCompanionCommand(const std::string& arguments);

// Takes a leading quiet switch ("/q", restart/CompanionLauncher.h) off the arguments:
// true when there was one.
bool TakeQuietSwitch(std::string& arguments);

// What follows the program name (quoted or not) and the blanks after it.
std::string CommandLineArguments(const std::string& commandLine);

}  // namespace companion
