#include "companion/CommandLine.h"

#include <algorithm>

namespace companion {

namespace {

bool IsBlank(WCHAR c) {
    return c == WCHAR(' ') || c == WCHAR('\t');
}

restart::WideView SkipBlanks(restart::WideView text) {
    const auto start = std::find_if_not(text.begin(), text.end(), IsBlank);
    return text.substr(static_cast<std::size_t>(start - text.begin()));
}

restart::WideView TrimTrailingBlanks(restart::WideView text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits off the first token; the rest starts at its first non-blank character.
restart::WideView TakeToken(restart::WideView& text) {
    text = SkipBlanks(text);
    const auto end = std::find_if(text.begin(), text.end(), IsBlank);
    const restart::WideView token = text.substr(0, static_cast<std::size_t>(end - text.begin()));
    text = SkipBlanks(text.substr(token.size()));
    return token;
}

restart::WideView Unquoted(restart::WideView text) {
    if (text.size() >= 2 && text.front() == WCHAR('"') && text.back() == WCHAR('"')) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace

std::optional<CompanionCommand> ParseCompanionCommand(restart::WideView arguments) {
    restart::WideView rest = arguments;
    const restart::WideView command = TakeToken(rest);
    if (restart::SameAscii(command, "U")) {
        const restart::WideView instanceId = TrimTrailingBlanks(rest);
        if (instanceId.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Restart, restart::WideString(instanceId)};
    }
    if (restart::SameAscii(command, "e") && restart::SameAscii(TakeToken(rest), "install")) {
        const restart::WideView file = Unquoted(TrimTrailingBlanks(rest));
        if (file.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Install, restart::WideString(file)};
    }
    return std::nullopt;
}

bool TakeQuietSwitch(restart::WideString& arguments) {
    restart::WideView rest = arguments;
    if (!restart::SameAscii(TakeToken(rest), "/q")) {
        return false;
    }
    arguments = restart::WideString(rest);
    return true;
}

restart::WideString CommandLineArguments(restart::WideView commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == WCHAR('"')) {
        const std::size_t closing = commandLine.find(WCHAR('"'), 1);
        end = closing == restart::WideView::npos ? commandLine.size() : closing + 1;
    } else {
        end = static_cast<std::size_t>(
            std::find_if(commandLine.begin(), commandLine.end(), IsBlank) - commandLine.begin());
    }
    return restart::WideString(SkipBlanks(commandLine.substr(end)));
}

}  // namespace companion
