// kevra64.exe, the 64-bit companion of the setup program under WOW64: it restarts a
// device ("U <instance ID>") or installs a setup information file ("e install
// <file>") where a 32-bit process cannot.
//
// A restart is verified as the setup program verifies its own (restart/VerifiedRestart.h):
// Windows' reboot flags are read, and a device that comes back with a problem while it
// carries the filter has the filter removed and is restarted again. The exit code tells
// the outcome (restart/RestartOutcome.h):
//   0          done (restarted and started; installed)
//   1          failed (no such device or file, the restart refused); one line to err
//   2          the command line was not understood; one line to err
//   3          restarted, but Windows must be restarted for the change to take effect
//   0x1000 | p problem p with the filter: the filter was removed, the device works again
//   0x2000 | p problem p with the filter: the filter was removed, the device still fails
// Codes 3 and above write nothing to err: the program that started the companion
// tells the user.
#pragma once

#include <string>

#include "restart/WideText.h"

namespace companion {

struct CompanionOutcome {
    // The exit code above.
    int exitCode = 0;
    // One line for the user (without a line end), or empty when there is nothing
    // to say; set with exit codes 1 and 2 only.
    std::string message;
    // The command line began with the quiet switch: no message box, whoever reads
    // the message must find it on standard error or the caller's console.
    bool quiet = false;
};

// Runs one command line (the part after the program name, perhaps preceded by the
// quiet switch), in UTF-16 as Windows gives it. A command line that is not understood, an unknown
// device or a missing file changes nothing. An installation is read back from the service manager:
// a filter service that is then not there, or cannot load, fails it.
CompanionOutcome RunCompanion(const restart::WideString& commandLine);

}  // namespace companion
