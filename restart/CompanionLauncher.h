// Starting the 64-bit companion, kevra64.exe, and waiting for its exit code. The
// companion is always the one in this program's own folder, started by its full path
// (GetModuleFileNameA): never one that the current folder or the search path would
// find, since the program runs elevated and either could hold a planted file.
//
// Shared by the setup window and the command-line program: the window passes a pump
// that runs its waiting messages (paint, device changes) while the companion runs; a
// console program passes none and simply waits.
#pragma once

#include <functional>
#include <string>

#include "platform/WinTypes.h"

// Called whenever messages arrive for the caller's windows while it waits.
using MessagePump = std::function<void()>;

struct CompanionRun {
    enum class Kind {
        Finished,    // it ran to its end; exitCode holds its exit code
        Missing,     // no kevra64.exe beside the program (path: where it was looked for)
        NotStarted,  // the shell could not start it
        Lost,        // started, but its end or exit code could not be learnt
    };
    Kind kind = Kind::NotStarted;
    DWORD exitCode = 0;
    std::string path;  // the companion's full path; empty when the program's is unknown
};

// The companion's full path: this program's folder and "kevra64.exe"; empty when the
// program's own path cannot be read.
std::string CompanionPath();

// Starts "<folder>\kevra64.exe <parameters>" through ShellExecuteExA (no verb, no
// working folder, SW_SHOW, the owner window; the shell's own error boxes suppressed,
// as the caller reports a missing companion itself) and waits for it to end: with
// MsgWaitForMultipleObjects, running the pump whenever messages arrive, or, without a
// pump, with WaitForSingleObject. The process handle is always closed.
CompanionRun RunCompanionProgram(HWND owner, const std::string& parameters,
                                 const MessagePump& pump);
