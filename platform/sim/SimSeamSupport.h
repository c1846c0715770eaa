// What the seam functions of platform/sim share: the current machine's state, the
// look-up of the set and element a call names, and their call-log arguments.
#pragma once

#include <string>

#include "platform/sim/SimState.h"

namespace sim {

// The state of the current machine.
Machine::State& CurrentState();
// Enters a seam call into the current machine's log and faults; true: it must fail.
bool EnterCall(const char* op, std::string args, const std::string& device = {});

// The "set=" argument: the set's serial number (1 for the machine's first set), or the
// handle's value when the machine does not know it.
std::string SetArg(Machine::State& state, HDEVINFO set);
// The "key=" argument: likewise, the key's serial number or the handle's value.
std::string KeyArg(Machine::State& state, HKEY key);

// The set and element a call names. element is null when the set is unknown or the
// record names no live element of it; device is the instance ID the record names
// even then, so that the log and per-device faults see stale calls too.
struct Target {
    DevInfoSet* set = nullptr;
    Element* element = nullptr;
    std::string device;
};
Target Locate(Machine::State& state, HDEVINFO set, const SP_DEVINFO_DATA* data);

}  // namespace sim
