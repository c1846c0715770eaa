// The companion's command line comes from whoever starts it. Checks, for any UTF-16
// units (an ASCII byte of the input is one, any other byte and the next make one):
// the parse never fails unsafely, an accepted command's argument is a part of the
// line (never bytes from elsewhere), and a restart's instance ID is the whole rest
// of the line after "U", blanks at its ends dropped, so that no blank, quote or
// line break inside an ID splits it or adds an argument.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "companion/CommandLine.h"

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    restart::WideString line;
    for (std::size_t i = 0; i < size; ++i) {
        unsigned unit = data[i];
        if (unit >= 0x80 && i + 1 < size) {
            unit = (unit << 8) | data[++i];
        }
        line += static_cast<WCHAR>(unit);
    }
    const restart::WideString arguments = companion::CommandLineArguments(line);
    Check(arguments.size() <= line.size());
    Check(line.find(arguments) != restart::WideString::npos);

    const auto command = companion::ParseCompanionCommand(arguments);
    if (!command) {
        return 0;
    }
    Check(!command->argument.empty());
    Check(arguments.find(command->argument) != restart::WideString::npos);
    if (command->kind == companion::CompanionCommand::Kind::Restart) {
        const restart::WideString blanks = restart::WidenAscii(" \t");
        const std::size_t start = arguments.find_first_not_of(blanks);
        Check(arguments.compare(start, 1, restart::WidenAscii("U")) == 0);
        const std::size_t idStart = arguments.find_first_not_of(blanks, start + 1);
        const std::size_t idEnd = arguments.find_last_not_of(blanks);
        Check(command->argument == arguments.substr(idStart, idEnd - idStart + 1));
    }
    return 0;
}
