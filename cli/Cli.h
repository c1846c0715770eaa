// quorvin: the command-line program's whole behaviour, over the platform the
// program links. The entry points (main.cpp, DemoMain.cpp) only hand it the
// arguments and the standard streams.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Runs one command line (the arguments after the program name). Reports go to out,
// errors to err as one line "quorvin: ..."; returns the exit code (ExitCodes.h).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::istream& in);

// Writes one error line: "quorvin: " and the message with line breaks made blanks.
void PrintError(std::ostream& err, const std::string& message);

}  // namespace cli
