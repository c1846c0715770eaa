// The companion's two command lines, "U <instance ID>" and "e install <file>", and
// the arguments part of the command line Windows hands a program. The line is read in
// UTF-16, as Windows keeps it: a file's folder may be named in any script.
#pragma once

#include <optional>
#include <string>

#include "restart/WideText.h"

namespace companion {

struct CompanionCommand {
    enum class Kind { Restart, Install };
    Kind kind;
    // The instance ID for Restart, the setup information file for Install.
    restart::WideString argument;
};

// The command, or nothing when the line is neither form or lacks its argument.
// Tokens are separated by blanks or tabs; the rest of the line after the command
// word is its argument, trailing blanks dropped, and a file name may be quoted.
std::optional<CompanionCommand> ParseCompanionCommand(restart::WideView arguments);

// Takes a leading quiet switch ("/q", restart/CompanionLauncher.h) off the arguments:
// true when there was one.
bool TakeQuietSwitch(restart::WideString& arguments);

// What follows the program name (quoted or not) and the blanks after it.
restart::WideString CommandLineArguments(restart::WideView commandLine);

}  // namespace companion
