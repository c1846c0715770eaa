// quorvin: the command-line program's whole behaviour, over the platform the
// program links. The entry points (main.cpp, DemoMain.cpp) only hand it the
// arguments and the standard streams.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

// What a run prints and where its standard input comes from. The program stays off
// the standard library's streams, whose locale machinery would triple its size.
struct CliIo {
    std::string out;
    std::string err;
    std::function<std::string()> readInput;
    // Shown at once (on standard error), not with the report: may be empty.
    std::function<void(const std::string&)> progress;
    // The demo machine's hand on the measured device (see Console); empty on Windows.
    std::function<void(const std::vector<std::string>&, double)> moveDevice;
};

// Runs one command line (the arguments after the program name). Reports go to out,
// errors to err as one line "quorvin: ..."; returns the exit code (ExitCodes.h).
int RunCli(const std::vector<std::string>& args, CliIo& io);

// Writes one error line: "quorvin: " and the message with line breaks made blanks.
void PrintError(std::string& err, const std::string& message);

}  // namespace cli
