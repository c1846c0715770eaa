// kevra64.exe, the 64-bit companion of the setup program under WOW64: it restarts a
// device ("U <instance ID>") or installs a setup information file ("e install
// <file>") where a 32-bit process cannot.
#pragma once

#include <string>

struct CompanionOutcome {
    // 0 on success, 1 when the command failed, 2 when the command line is not
    // understood.
    int exitCode = 0;
    // One line for the user (without a line end), or empty when there is nothing
    // to say.
    std::string message;
};

// Runs one command line (the part after the program name). A command line that is
// not understood, an unknown device or a missing file changes nothing.
CompanionOutcome RunCompanion(const std::string& commandLine);
