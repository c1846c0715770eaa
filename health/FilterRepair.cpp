#include "health/FilterRepair.h"

#include "config/LowerFilters.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "health/FilterHealth.h"
#include "platform/Platform.h"

namespace health {

namespace {

std::string NameOf(const FilteredDevice& device) {
    return (device.description.empty() ? std::string("Device") : device.description) + " (" +
           device.instanceId + ")";
}

std::string RestartedText(const FilterRepair& repair) {
    using Kind = restart::RestartOutcome::Kind;
    switch (repair.restart.kind) {
        case Kind::NeedsReboot:
            return "filter removed; restart Windows for the device to start without it.";
        case Kind::CompanionMissing:
        case Kind::Failed:
            return "filter removed, but the device could not be restarted: unplug it and plug "
                   "it in again.";
        default:
            break;
    }
    if (repair.after.HasProblem()) {
        return "filter removed, but the device still does not start (problem " +
               std::to_string(repair.after.problem) + ", " +
               device::ProblemText(repair.after.problem) +
               "): unplug it and plug it in again, or restart Windows.";
    }
    if (!repair.after.known) {
        return "filter removed; the device's state could not be read.";
    }
    if (!repair.after.present) {
        return "filter removed; the device left while it restarted.";
    }
    if (!repair.after.Started()) {
        return "filter removed; the device has not started yet: look at it again in a moment.";
    }
    return "filter removed; the device works again.";
}

}  // namespace

FilterRepair RemoveFilterFrom(const std::string& instanceId,
                              const health::DeviceBeforeWrite& beforeWrite,
                              const health::DeviceRestart& restart) {
    FilterRepair repair;
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!set.valid() ||
        !plat::SetupDiOpenDeviceInfoA(set.get(), instanceId.c_str(), nullptr, 0, &element)) {
        repair.kind = FilterRepair::Kind::Gone;
        return repair;
    }
    device::TDevice device(set.get(), element, INVALID_HANDLE_VALUE);
    bool stopped = false;
    config::SetFilter(device, false, [&](const config::PlannedChange& change) {
        stopped = beforeWrite && !beforeWrite(device, change);
        return !stopped;
    });
    if (stopped) {
        repair.kind = FilterRepair::Kind::Stopped;
        return repair;
    }
    // Read back: a list that cannot be read, or still carries the filter, was not repaired.
    if (config::ReadLowerFilterSetting(device).state == config::StoredSetting::State::Unknown ||
        config::HasFilter(device)) {
        repair.kind = FilterRepair::Kind::NotRemoved;
        return repair;
    }
    repair.kind = FilterRepair::Kind::Removed;
    if (device::ReadDeviceState(instanceId).present && restart) {
        repair.restarted = true;
        repair.restart = restart(device);
        repair.after = device::ReadDeviceState(instanceId);
    }
    return repair;
}

std::string DescribeRepair(const FilteredDevice& device, const FilterRepair& repair) {
    std::string text = NameOf(device) + ": ";
    switch (repair.kind) {
        case FilterRepair::Kind::Gone:
            return text + "not changed, Windows does not know the device any more.";
        case FilterRepair::Kind::Stopped:
            return text + "not changed, as the change could not be recorded.";
        case FilterRepair::Kind::NotRemoved:
            return text + "the filter could not be removed.";
        case FilterRepair::Kind::Removed:
            break;
    }
    if (!repair.restarted) {
        return text + "filter removed; the device will start without it when plugged in.";
    }
    return text + RestartedText(repair);
}

}  // namespace health
