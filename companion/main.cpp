// kevra64.exe: the command line as Windows gives it, program name dropped, so that
// an instance ID reaches the companion byte for byte.
#include <iostream>

#include "companion/CommandLine.h"
#include "companion/Companion.h"
#include "platform/WinTypes.h"

int main() {
    return RunCompanion(CommandLineArguments(::GetCommandLineA()), std::cerr);
}
