// What the seam functions of platform/sim share: the current machine's state, the
// look-up of the set and element a call names, and their call-log arguments.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "platform/sim/SimState.h"

namespace sim {

// The state of the current machine.
Machine::State& CurrentState();
// How a seam function reports failure: through the last-error code (SetupAPI and
// most of Win32), or only by its return value (the registry and the configuration
// manager return their status).
enum class Reports { LastError, ReturnValue };

// Enters a seam call into the current machine's log and faults; true: it must fail,
// and a function that reports through the last-error code has it set to the fault's.
// args is a callable that formats the call's arguments; device is the instance ID the
// call is about, or a callable that finds it. Faults match by operation and device,
// never by arguments, so the arguments are formatted only while the log is on.
template <Reports reports = Reports::LastError, typename Args, typename Device = std::string_view>
bool EnterCall(const char* op, const Args& args, const Device& device = {}) {
    Machine& machine = Current();
    Machine::State& state = machine.state();
    std::string_view name;
    if constexpr (std::is_invocable_v<const Device&>) {
        name = device();
    } else {
        name = device;
    }
    const Fault* fault = state.Enter(machine.logging, op,
                                     machine.logging ? std::string(args()) : std::string(), name);
    if (fault != nullptr && reports == Reports::LastError) {
        state.lastError = fault->error;
    }
    return fault != nullptr;
}

// Sets the last-error code and returns the failure value given.
template <typename Result>
Result Fail(DWORD error, Result failure) {
    CurrentState().lastError = error;
    return failure;
}

// The "set=" argument: the set's serial number (1 for the machine's first set), or the
// handle's value when the machine does not know it.
std::string SetArg(Machine::State& state, HDEVINFO set);
// The "key=" argument: likewise, the key's serial number or the handle's value.
std::string KeyArg(Machine::State& state, HKEY key);

// The set and element a call names. element is null when the set is unknown or the
// record names no live element of it; device is the instance ID the record names
// even then, so that the log and per-device faults see stale calls too.
struct Target {
    // The code a call fails with when there is no element: ERROR_INVALID_HANDLE for an
    // unknown set, ERROR_INVALID_PARAMETER for a record that names no live element.
    DWORD Error() const { return set == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER; }

    DevInfoSet* set = nullptr;
    Element* element = nullptr;
    std::size_t index = 0;  // the element's, when there is one
    std::string_view device;
};
Target Locate(Machine::State& state, HDEVINFO set, const SP_DEVINFO_DATA* data);

}  // namespace sim
