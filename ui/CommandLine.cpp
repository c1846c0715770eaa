#include "ui/CommandLine.h"

namespace ui {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name: quoted text taken literally, or up to the first blank.
std::size_t ReadProgramName(const std::string& line, std::string& name) {
    std::size_t i = 0;
    if (i < line.size() && line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"') {
            name += line[i++];
        }
        if (i < line.size()) {
            ++i;
        }
    } else {
        while (i < line.size() && !IsBlank(line[i])) {
            name += line[i++];
        }
    }
    return i;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    std::string name;
    std::size_t i = ReadProgramName(line, name);
    args.push_back(name);

    while (i < line.size() && IsBlank(line[i])) {
        ++i;
    }
    // quotes: how many quote marks of the current run are open, as the platform
    // counts them; a third one in a row is a literal quote.
    std::string current;
    bool inArgument = false;
    int quotes = 0;
    std::size_t backslashes = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c) && quotes == 0) {
            if (inArgument) {
                args.push_back(current);
                current.clear();
                inArgument = false;
            }
            backslashes = 0;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            current += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c != '"') {
            current += c;
            backslashes = 0;
            ++i;
            continue;
        }
        // A quote: the backslashes before it are halved.
        current.erase(current.size() - backslashes / 2);
        if (backslashes % 2 == 1) {
            current.back() = '"';
        } else {
            ++quotes;
        }
        backslashes = 0;
        ++i;
        while (i < line.size() && line[i] == '"') {
            if (++quotes == 3) {
                current += '"';
                quotes = 0;
            }
            ++i;
        }
        if (quotes == 2) {
            quotes = 0;
        }
    }
    if (inArgument) {
        args.push_back(current);
    }
    return args;
}

std::string FirstArgument(const std::string& commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    return args.size() > 1 ? args[1] : std::string();
}

bool IsAllDevicesSwitch(const std::string& argument) {
    std::string upper = argument;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper == "/ALL";
}

}  // namespace ui
