// The setup program's run, shared by the product's entry and the demo's: the
// application with its title, the platform family, the window created, shown and
// served until it is closed.
#pragma once

#include <windows.h>

#include <functional>

namespace win32 {

// Runs after each message the loop dispatched, with the main window.
using AfterMessage = std::function<void(HWND mainWindow)>;

// Returns the program's exit code: 0, or 1 when the window could not be made.
int RunSetupProgram(HINSTANCE instance, int showCommand, const AfterMessage& afterMessage = {});

}  // namespace win32
