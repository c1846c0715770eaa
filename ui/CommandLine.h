// The command line as the platform splits it, and the one switch the window reads.
#pragma once

#include <string>
#include <vector>

namespace ui {

// Splits a command line the way the platform's CommandLineToArgvW does: the
// program name runs to the first blank or tab, or between double quotes taken
// literally; every further argument is separated by blanks or tabs, double quotes
// group and are removed, 2n backslashes before a quote give n backslashes and a
// quote mark that groups, 2n+1 give n backslashes and a literal quote, a quote
// right after a closing quote is literal, other backslashes are kept.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The first argument after the program name, or empty.
std::string FirstArgument(const std::string& commandLine);

// Whether the argument selects the all-devices mode: "/ALL" after ASCII upper-casing.
bool IsAllDevicesSwitch(const std::string& argument);

}  // namespace ui
