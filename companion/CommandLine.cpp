#include "companion/CommandLine.h"

#include <algorithm>

namespace {

bool IsBlank(WCHAR c) {
    return c == WCHAR(' ') || c == WCHAR('\t');
}

WideView SkipBlanks(WideView text) {
    const auto start = std::find_if_not(text.begin(), text.end(), IsBlank);
    return text.substr(static_cast<std::size_t>(start - text.begin()));
}

WideView TrimTrailingBlanks(WideView text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits off the first token; the rest starts at its first non-blank character.
WideView TakeToken(WideView& text) {
    text = SkipBlanks(text);
    const auto end = std::find_if(text.begin(), text.end(), IsBlank);
    const WideView token = text.substr(0, static_cast<std::size_t>(end - text.begin()));
    text = SkipBlanks(text.substr(token.size()));
    return token;
}

WideView Unquoted(WideView text) {
    if (text.size() >= 2 && text.front() == WCHAR('"') && text.back() == WCHAR('"')) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace

std::optional<CompanionCommand> ParseCompanionCommand(WideView arguments) {
    WideView rest = arguments;
    const WideView command = TakeToken(rest);
    if (SameAscii(command, "U")) {
        const WideView instanceId = TrimTrailingBlanks(rest);
        if (instanceId.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Restart, WideString(instanceId)};
    }
    if (SameAscii(command, "e") && SameAscii(TakeToken(rest), "install")) {
        const WideView file = Unquoted(TrimTrailingBlanks(rest));
        if (file.empty()) {
            return std::nullopt;
        }
        return CompanionCommand{CompanionCommand::Kind::Install, WideString(file)};
    }
    return std::nullopt;
}

bool TakeQuietSwitch(WideString& arguments) {
    WideView rest = arguments;
    if (!SameAscii(TakeToken(rest), "/q")) {
        return false;
    }
    arguments = WideString(rest);
    return true;
}

WideString CommandLineArguments(WideView commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == WCHAR('"')) {
        const std::size_t closing = commandLine.find(WCHAR('"'), 1);
        end = closing == WideView::npos ? commandLine.size() : closing + 1;
    } else {
        end = static_cast<std::size_t>(
            std::find_if(commandLine.begin(), commandLine.end(), IsBlank) - commandLine.begin());
    }
    return WideString(SkipBlanks(commandLine.substr(end)));
}
