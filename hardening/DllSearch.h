// Where an elevated program may load DLLs from. It is typically started from a
// Downloads folder, where anyone may have left a DLL with a system DLL's name; a
// DLL loaded from there would run with administrator rights.
#pragma once

namespace hardening {

// The first thing every program of the package does. Where Windows has
// SetDefaultDllDirectories (Windows 8, or 7 and Server 2008 R2 with their loader
// update; looked up at run time), later loads search the system folder alone;
// SetDllDirectoryA("") (Windows XP SP1 onward) in any case takes the current
// directory out of the search. The DLLs the program imports are loaded before
// this runs: scripts/imports.sh keeps them to DLLs Windows takes from the system
// folder.
void RestrictDllSearch();

}  // namespace hardening
