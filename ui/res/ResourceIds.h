// Identifiers of the program's resources, shared by Setup.rc and the code that
// loads them (the window class takes its icon from here).
#pragma once

// The main icon: the first icon group, so the shell also shows it for the file.
#define IDI_SETUP_MAIN 1
