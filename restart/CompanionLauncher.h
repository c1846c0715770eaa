// Starting the 64-bit companion, kevra64.exe, and waiting for its exit code. The
// companion is always the one in this program's own folder, started by its full path
// (GetModuleFileNameW): never one that the current folder or the search path would
// find, since the program runs elevated and either could hold a planted file.
//
// Shared by the setup window and the command-line program: the window passes a pump
// that runs its waiting messages (paint, device changes) while the companion runs; a
// console program passes none and simply waits.
#pragma once

#include <string>

#include "restart/MessagePump.h"
#include "restart/WideText.h"
#include "platform/WinTypes.h"

namespace restart {

struct CompanionRun {
    enum class Kind {
        Finished,    // it ran to its end; exitCode holds its exit code
        Missing,     // no kevra64.exe beside the program (path: where it was looked for)
        NotStarted,  // the shell could not start it
        Lost,        // started, but its end or exit code could not be learnt
        TimedOut,    // it did not end within kProgramWaitMs (it was left running)
    };
    Kind kind = Kind::NotStarted;
    DWORD exitCode = 0;
    // The companion's full path as a message shows it (CompanionPath); empty when the
    // program's own path is unknown.
    std::string path;
};

// How long a started program (the companion, the shell's installer) is waited for:
// generous, as an installation may take its time, but never without end, so that a
// deployment system that started the command-line program is never left hanging.
inline constexpr DWORD kProgramWaitMs = 10 * 60 * 1000;

// The switch that tells the companion to show no message box: given whenever the
// caller has no window of its own (passes no pump), as a console program run by a
// script or a deployment system has nobody to click the box away. The companion then
// reports on standard error or its caller's console if it has one, and by its exit
// code always.
inline constexpr const char* kCompanionQuietSwitch = "/q ";

// The companion's full path: this program's folder and "kevra64.exe", in UTF-16 (the
// folder may be named in any script); empty when the program's own path cannot be read.
WideString CompanionFile();
// The same as a message shows it, in the ANSI code page ('?' for what it lacks).
std::string CompanionPath();

// Waits for a started program to end, at most kProgramWaitMs: with
// MsgWaitForMultipleObjectsEx (MWMO_INPUTAVAILABLE, so that messages an earlier peek
// left in the queue wake it too), running the pump whenever messages arrive, or,
// without a pump, with WaitForSingleObject. Finished with its exit code, Lost when the
// wait or the exit code failed, TimedOut.
CompanionRun::Kind WaitForProgram(HANDLE process, const MessagePump& pump, DWORD& exitCode);

// Starts "<folder>\kevra64.exe <parameters>" through ShellExecuteExW (no verb, no
// working folder, SW_SHOW, the owner window; the shell's own error boxes suppressed,
// as the caller reports a missing companion itself) and waits for it to end
// (WaitForProgram). Without a pump the parameters are preceded by the quiet switch.
// The parameters are ASCII (instance IDs and switches).
// The process handle is always closed.
CompanionRun RunCompanionProgram(HWND owner, const std::string& parameters,
                                 const MessagePump& pump);

// Applies the shell's "install" verb to quorvin.inf in the current directory through
// ShellExecuteExW (the owner window, SW_SHOW, the shell's own error boxes allowed) and
// waits for the installer it starts (WaitForProgram). NotStarted when the shell
// refuses (no such file, say); a shell that hands back no process is Finished with 0,
// as only reading the service back can tell then.
CompanionRun RunInstallVerb(HWND owner, const MessagePump& pump);

}  // namespace restart
