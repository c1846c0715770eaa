// Setup: the program's entry. Initialises the application, gives it its title,
// creates the main window frmSetup, shows it and runs the message loop until the
// window is closed; the window is destroyed on the way out.
#include <windows.h>

#include "hardening/DllSearch.h"
#include "ui/win32/SetupProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    hardening::RestrictDllSearch();
    return win32::RunSetupProgram(instance, showCommand);
}
