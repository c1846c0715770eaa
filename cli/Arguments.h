// The command line of quorvin: a command, its positional arguments and its options.
// Options are "--name" switches or "--name VALUE" / "--name=VALUE"; each command says
// which it takes, and anything else is bad usage.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/AsciiCase.h"

namespace cli {

struct OptionRule {
    std::string name;  // without the dashes
    bool takesValue = false;
};

struct Arguments {
    std::string command;
    std::vector<std::string> positional;
    std::set<std::string> switches;
    std::map<std::string, std::string> values;

    bool Has(const std::string& name) const { return switches.count(name) != 0; }
    const std::string* Value(const std::string& name) const;
};

// The command name: the first argument that is not an option, or empty.
std::string FindCommand(const std::vector<std::string>& args);

// Parses the arguments after the command against its options; raises UsageError for
// an unknown option, a missing value, a repeated option or more positional arguments
// than maxPositional.
Arguments ParseArguments(const std::vector<std::string>& args,
                         const std::vector<OptionRule>& options, std::size_t maxPositional);

}  // namespace cli
