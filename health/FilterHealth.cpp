#include "health/FilterHealth.h"

#include <algorithm>

#include "config/LowerFilters.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "input/DeviceHint.h"
#include "platform/Platform.h"

namespace health {

namespace {

FilterCondition ConditionOf(const device::DeviceState& state,
                            const restart::DriverServiceState& driver) {
    if (!state.known) {
        return FilterCondition::StateUnknown;
    }
    if (!state.present) {
        return driver.CannotLoad() ? FilterCondition::WillNotStart : FilterCondition::NotPresent;
    }
    switch (state.Problem()) {
        case device::ProblemKind::DriverLoad:
            return FilterCondition::Problem;
        case device::ProblemKind::NeedsReboot:
            return FilterCondition::NeedsReboot;
        case device::ProblemKind::Other:
            return FilterCondition::OtherProblem;
        case device::ProblemKind::None:
            break;
    }
    return state.Started() ? FilterCondition::Working : FilterCondition::NotStarted;
}

std::string ProblemWords(const device::DeviceState& state) {
    return "problem " + std::to_string(state.problem) + ", " + device::ProblemText(state.problem);
}

}  // namespace

bool FilteredDevice::Repairable() const {
    return condition == FilterCondition::Problem || condition == FilterCondition::WillNotStart;
}

int FilterHealth::RepairableCount() const {
    return static_cast<int>(std::count_if(devices.begin(), devices.end(),
                                          [](const FilteredDevice& d) { return d.Repairable(); }));
}

FilterHealth ReadFilterHealth() {
    FilterHealth health;
    health.driver = restart::ReadFilterService();
    // Every class and, without DIGCF_PRESENT, the devices that are not plugged in.
    const device::DevInfoSetHandle set(
        plat::SetupDiGetClassDevsA(nullptr, "USB", nullptr, DIGCF_ALLCLASSES));
    if (!set.valid()) {
        return health;
    }
    health.listed = true;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof(SP_DEVINFO_DATA);
        if (!plat::SetupDiEnumDeviceInfo(set.get(), index, &element)) {
            // The end of the set, or a set that cannot be read on: what was found stays.
            break;
        }
        device::TDevice device(set.get(), element, INVALID_HANDLE_VALUE);
        if (!config::HasFilter(device)) {
            continue;
        }
        FilteredDevice entry;
        entry.instanceId = device.GetInstanceId();
        if (entry.instanceId.empty()) {
            continue;  // a device that cannot be named cannot be repaired or shown
        }
        entry.description = device.GetDescription();
        entry.productName = input::BusReportedName(device).value_or("");
        entry.state = device::ReadDeviceState(entry.instanceId);
        entry.condition = ConditionOf(entry.state, health.driver);
        health.devices.push_back(std::move(entry));
    }
    return health;
}

std::string ConditionText(const FilteredDevice& device) {
    switch (device.condition) {
        case FilterCondition::Working:
            return "works";
        case FilterCondition::Problem:
            return "does not start: " + ProblemWords(device.state);
        case FilterCondition::NeedsReboot:
            return "restart Windows: " + ProblemWords(device.state);
        case FilterCondition::OtherProblem:
            return "not caused by the filter: " + ProblemWords(device.state);
        case FilterCondition::NotStarted:
            return "present, not started yet";
        case FilterCondition::StateUnknown:
            return "state unknown";
        case FilterCondition::NotPresent:
            return "not present";
        case FilterCondition::WillNotStart:
            return "not present; will not start when plugged in, as the driver cannot load";
    }
    return {};
}

std::string DriverText(const restart::DriverServiceState& driver) {
    if (!driver.asked) {
        return "The QUORVIN driver needs no service on this Windows.";
    }
    if (!driver.known) {
        return "The state of the QUORVIN driver could not be read (error " +
               std::to_string(driver.error) + ").";
    }
    if (!driver.installed) {
        return "The QUORVIN driver is not installed.";
    }
    if (!driver.imageFile.empty() && !driver.fileFound) {
        return "The QUORVIN driver is installed, but its file " + driver.imageFile + " is missing.";
    }
    if (driver.Disabled()) {
        return "The QUORVIN driver is installed, but its service is disabled: Windows will not "
               "load it.";
    }
    if (driver.NotKernelDriver()) {
        return "The QUORVIN service is installed, but it is not a kernel driver: Windows cannot "
               "load it as a filter.";
    }
    return driver.running ? "The QUORVIN driver is installed and running."
                          : "The QUORVIN driver is installed.";
}

}  // namespace health
