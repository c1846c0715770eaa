// What became of a device restart, in-process or through the companion, and how the
// companion reports it by its exit code.
//
// The companion's exit codes ("kevra64 U <instance ID>" and "kevra64 e install <file>"):
//   0            done: the device restarted and started, or the file was installed
//   1            failed: the device or file was not found, or the restart was refused
//   2            the command line was not understood; nothing was done
//   3            the restart was requested, but Windows must be restarted before the
//                change takes effect (the device could not be stopped)
//   0x1000 | p   the device reported problem p with the filter; the filter was removed
//                from its lower filters and the device restarted, and it starts again
//   0x2000 | p   the same, but the device still does not start after that
//   4            restarted, but within the wait the device neither started nor
//                reported a problem: its state is unknown
//   0x3000 | p   restarted, and the device reports problem p, which is not one the
//                filter can cause (disabled, no driver, ...); nothing was changed
// p is the device's problem code (below 256). Any other code counts as a failure.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace restart {

struct RestartOutcome {
    enum class Kind {
        Restarted,         // nothing to tell: restarted, or no problem of ours seen
        NeedsReboot,       // Windows set DI_NEEDRESTART or DI_NEEDREBOOT
        ProblemReverted,   // problem with the filter; removed, and the device works again
        ProblemNotCured,   // problem with the filter; removed, the device still fails
        OtherProblem,      // the device reports a problem the filter cannot cause
        StateUnknown,      // neither started nor a problem within the wait
        CompanionMissing,  // kevra64.exe is not beside the program
        Failed,            // the restart could not be requested or its result not learnt
    };
    Kind kind = Kind::Restarted;
    ULONG problem = 0;  // the device's problem code (Problem... and OtherProblem kinds)

    bool operator==(const RestartOutcome&) const = default;
};

inline constexpr int kCompanionDone = 0;
inline constexpr int kCompanionFailed = 1;
inline constexpr int kCompanionUsage = 2;
inline constexpr int kCompanionNeedsReboot = 3;
inline constexpr int kCompanionStateUnknown = 4;
// Far from STILL_ACTIVE (0x103), which a process may exit with too.
inline constexpr int kCompanionReverted = 0x1000;
inline constexpr int kCompanionNotCured = 0x2000;
inline constexpr int kCompanionOtherProblem = 0x3000;

// The exit code the companion ends with after a restart (CompanionMissing: Failed's).
int CompanionExitCode(const RestartOutcome& outcome);
// The outcome an exit code of "kevra64 U <id>" reports.
RestartOutcome OutcomeOfCompanionExit(DWORD exitCode);

// The one message that tells the user about an outcome, or empty when there is
// nothing to tell (Restarted, and Failed, whose failures stay silent as before).
// companionPath names the file looked for when the companion is missing.
std::string DescribeRestartOutcome(const RestartOutcome& outcome,
                                   const std::string& companionPath = {});

}  // namespace restart
