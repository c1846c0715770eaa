// The program's exit codes and the two kinds of error that end a command: bad usage
// (the command line or an input file is wrong; nothing was changed) and failure
// (the platform refused or a change did not take).
#pragma once

#include <stdexcept>

namespace cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitRebootNeeded = 3;
// status only: a device that carries the filter does not start, or the filter's
// driver is missing while a device carries it.
inline constexpr int kExitBroken = 4;
// set and apply with --confirm: a device sent nothing after its restart, and its change
// was taken back.
inline constexpr int kExitReverted = 5;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace cli
