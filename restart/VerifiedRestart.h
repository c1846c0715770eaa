// A device restart that looks at its result: whether Windows wants a reboot for it, and
// whether the device came back with a problem while it carries the filter. In that case
// the filter is taken off the device's lower filters again (no other entry is lost) and
// the device restarted once more, so that a missing or broken filter driver never
// leaves a machine without its mouse or keyboard.
//
// Shared by the setup program (in-process restarts), the 64-bit companion and the
// command-line program.
#pragma once

#include <string>

#include "restart/MessagePump.h"
#include "restart/RestartOutcome.h"
#include "platform/WinTypes.h"

namespace restart {

// Restarts the device through the pair (DIF_PROPERTYCHANGE), then:
// - Failed when the restart was not accepted;
// - NeedsReboot when the pair's install parameters carry DI_NEEDRESTART or
//   DI_NEEDREBOOT (the device was not restarted, so nothing else is looked at);
// - otherwise the device is located by instance ID and waited for until it reports
//   DN_STARTED or a problem (restart/DeviceStartWait.h): started is Restarted; neither
//   within the wait is StateUnknown; CM_PROB_NEED_RESTART is NeedsReboot; a problem
//   that is not a driver's failure to load or start (device/DeviceState.h) is
//   OtherProblem and changes nothing; a driver's failure while the filter is in the
//   list is reverted as above: ProblemReverted when the device then starts, otherwise
//   ProblemNotCured (the same failure without the filter in the list is Restarted:
//   not ours). An empty instance ID skips the verification (Restarted).
// The pump runs the caller's messages while it waits.
RestartOutcome RestartAndVerify(HDEVINFO set, SP_DEVINFO_DATA& element,
                                const std::string& instanceId, const MessagePump& pump = {});

// The same for a device named by its instance ID, opened into a set of its own
// (Failed when it cannot be opened).
RestartOutcome RestartAndVerifyById(const std::string& instanceId, const MessagePump& pump = {});

}  // namespace restart
