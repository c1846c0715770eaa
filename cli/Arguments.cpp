#include "cli/Arguments.h"

#include <algorithm>

#include "cli/ExitCodes.h"

namespace cli {

const std::string* Arguments::Value(const std::string& name) const {
    const auto found = values.find(name);
    return found != values.end() ? &found->second : nullptr;
}

std::string FindCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) != 0) {
            return arg;
        }
    }
    return {};
}

Arguments ParseArguments(const std::vector<std::string>& args,
                         const std::vector<OptionRule>& options, std::size_t maxPositional) {
    Arguments parsed;
    bool commandSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            if (!commandSeen) {
                parsed.command = arg;
                commandSeen = true;
            } else {
                parsed.positional.push_back(arg);
            }
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name =
            arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&](const OptionRule& o) { return o.name == name; });
        const std::string command = parsed.command.empty() ? "quorvin" : parsed.command;
        if (known == options.end()) {
            throw UsageError("unknown option --" + name + " for " + command);
        }
        if (parsed.Has(name) || parsed.Value(name) != nullptr) {
            throw UsageError("option --" + name + " given twice");
        }
        if (!known->takesValue) {
            if (equals != std::string::npos) {
                throw UsageError("option --" + name + " takes no value");
            }
            parsed.switches.insert(name);
            continue;
        }
        if (equals != std::string::npos) {
            parsed.values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.values[name] = args[++i];
        } else {
            throw UsageError("option --" + name + " needs a value");
        }
    }
    if (parsed.positional.size() > maxPositional) {
        throw UsageError("unexpected argument \"" + parsed.positional[maxPositional] + "\"");
    }
    return parsed;
}

}  // namespace cli
