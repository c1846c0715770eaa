#include "companion/CommandLine.h"

namespace companion {

namespace {

constexpr const char* kBlanks = " \t";

std::string_view SkipBlanks(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    const std::size_t end = text.find_last_not_of(kBlanks);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Splits off the first token; the rest starts at its first non-blank character.
std::string_view TakeToken(std::string_view& text) {
    text = SkipBlanks(text);
    const std::size_t end = std::min(text.find_first_of(kBlanks), text.size());
    const std::string_view token = text.substr(0, end);
    text = SkipBlanks(text.substr(end));
    return token;
}

std::string_view Unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace

std::optional<CompanionCommand> ParseCompanionCommand(const std::string& arguments) {
    std::string_view rest = arguments;
    const std::string_view command = TakeToken(rest);
    if (command == "U") {
        const std::string_view instanceId = TrimTrailingBlanks(rest);
        if (instanceId.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Restart, std::string(instanceId)};
    }
    if (command == "e" && TakeToken(rest) == "install") {
        const std::string_view file = Unquoted(TrimTrailingBlanks(rest));
        if (file.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Install, std::string(file)};
    }
    return std::nullopt;
}

bool TakeQuietSwitch(std::string& arguments) {
    std::string_view rest = arguments;
    if (TakeToken(rest) != "/q") {
        return false;
    }
    arguments = std::string(rest);
    return true;
}

std::string CommandLineArguments(const std::string& commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        end = closing == std::string::npos ? commandLine.size() : closing + 1;
    } else {
        end = std::min(commandLine.find_first_of(kBlanks), commandLine.size());
    }
    return std::string(SkipBlanks(std::string_view(commandLine).substr(end)));
}

}  // namespace companion
