// kevra64.exe, the 64-bit companion of the setup program under WOW64: it restarts a
// device ("U <instance ID>") or installs a setup information file ("e install
// <file>") where a 32-bit process cannot.
#pragma once

#include <ostream>
#include <string>

// Runs one command line (the part after the program name). Returns 0 on success;
// otherwise writes one line to err and returns non-zero. A command line that is
// not understood, an unknown device or a missing file changes nothing.
int RunCompanion(const std::string& commandLine, std::ostream& err);
