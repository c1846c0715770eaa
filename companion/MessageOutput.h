// Where the companion tells the user what happened. It is a GUI-subsystem program,
// so that starting it from the 32-bit setup program flashes no console window.
#pragma once

#include <string>

namespace companion {

// Writes the line to standard error when the program has one (its parent gave it
// a handle, or it was started from a console, whose standard error it then
// borrows); otherwise shows it in a message box that no window owns, unless quiet:
// nobody may be there to close it, and the exit code tells the caller anyway.
void ShowCompanionMessage(const std::string& line, bool isError, bool quiet);

}  // namespace companion
