// Waiting for a restarted device to settle. Windows answers a property-change restart
// before the device has started again: the USB stack removes and starts it for a
// while, and a start failure is posted later. Reading the state once, at once, would
// take "no problem yet" for "started".
#pragma once

#include <string>

#include "restart/MessagePump.h"
#include "device/DeviceState.h"

namespace restart {

// How long a restarted device is given to report DN_STARTED or a problem.
inline constexpr unsigned kDeviceStartWaitMs = 5000;
// How often its state is read meanwhile.
inline constexpr unsigned kDeviceStartPollMs = 100;

// Reads the device's state until it reports DN_STARTED or a problem, or the wait ends
// (kDeviceStartWaitMs): the last state read. Between reads the caller's messages run
// through the pump (MsgWaitForMultipleObjectsEx, MWMO_INPUTAVAILABLE); without a pump
// it sleeps. A device that is absent for a moment is waited for too: its node is
// being made again.
device::DeviceState WaitForDeviceStart(const std::string& instanceId, const MessagePump& pump);

// Settled: started, or reporting a problem.
bool Settled(const device::DeviceState& state);

}  // namespace restart
