#include "confirm/Revert.h"

#include <cstdint>
#include <cstring>

#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "confirm/Words.h"
#include "platform/Platform.h"

namespace confirm {

namespace {

// Writes the rate back unless it is there already; false when it could not be.
bool PutRateBack(device::TDevice& device, const config::StoredSetting& rate,
                 const RecordWrite& record, bool& stopped) {
    const config::StoredSetting now = config::ReadRateSetting(device);
    if (now == rate) {
        return true;
    }
    if (rate.state == config::StoredSetting::State::Unknown) {
        return false;
    }
    if (record && !record(device, {config::DeviceSetting::Rate, now, rate})) {
        stopped = true;
        return false;
    }
    return WriteRateSetting(device, rate) && config::ReadRateSetting(device) == rate;
}

std::string RateText(const config::StoredSetting& rate) {
    if (rate.state == config::StoredSetting::State::Absent) {
        return config::RateNames[0];
    }
    if (rate.state != config::StoredSetting::State::Present || rate.bytes.size() != 4) {
        return "unknown";
    }
    std::uint32_t value = 0;
    std::memcpy(&value, rate.bytes.data(), 4);
    for (std::size_t i = 1; i < config::RateTable.size(); ++i) {
        if (config::RateTable[i] == value) {
            return config::RateNames[i];
        }
    }
    return Cat({"bInterval ", std::to_string(value)});
}

std::string NameOf(const WatchedDevice& device) {
    return Cat({device.name.empty() ? "The device" : device.name, " (", device.instanceId, ")"});
}

std::string RestartText(const RevertResult& result) {
    using Kind = restart::RestartOutcome::Kind;
    if (!result.restarted) {
        return " It is not plugged in now; it starts with them when it is.";
    }
    switch (result.restart.kind) {
        case Kind::NeedsReboot:
            return " Restart Windows for the device to start with them.";
        case Kind::CompanionMissing:
        case Kind::Failed:
            return " The device could not be restarted: unplug it and plug it in again.";
        default:
            break;
    }
    if (result.after.HasProblem()) {
        return Cat({" The device was restarted but does not start (problem ",
                    std::to_string(result.after.problem), ", ",
                    device::ProblemText(result.after.problem),
                    "): unplug it and plug it in again, or restart Windows."});
    }
    return " The device was restarted with them.";
}

}  // namespace

std::string SettingsText(const DriveSettings& settings) {
    return Cat({"filter ", settings.FilterOn() ? "on" : "off", ", rate ", RateText(settings.rate)});
}

RevertResult RevertToStarted(const WatchedDevice& watched, const RecordWrite& record,
                             const RestartWith& restart) {
    RevertResult result;
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!set.valid() || !plat::SetupDiOpenDeviceInfoA(set.get(), watched.instanceId.c_str(),
                                                      nullptr, 0, &element)) {
        result.kind = RevertResult::Kind::Gone;
        return result;
    }
    device::TDevice device(set.get(), element, INVALID_HANDLE_VALUE);
    bool stopped = false;
    const bool filterOn = watched.started.FilterOn();
    if (config::HasFilter(device) != filterOn) {
        config::SetFilter(device, filterOn, [&](const config::PlannedChange& change) {
            stopped = record && !record(device, change);
            return !stopped;
        });
    }
    const bool filterBack =
        !stopped &&
        config::ReadLowerFilterSetting(device).state != config::StoredSetting::State::Unknown &&
        config::HasFilter(device) == filterOn;
    const bool rateBack = !stopped && PutRateBack(device, watched.started.rate, record, stopped);
    if (stopped) {
        result.kind = RevertResult::Kind::Stopped;
        return result;
    }
    result.kind =
        filterBack && rateBack ? RevertResult::Kind::Reverted : RevertResult::Kind::NotWritten;
    // Whatever went back is worth a restart: it is closer to what worked.
    if (device::ReadDeviceState(watched.instanceId).present && restart) {
        result.restarted = true;
        result.restart = restart(device);
        result.after = device::ReadDeviceState(watched.instanceId);
    }
    return result;
}

std::string DescribeRevert(const WatchedDevice& device, const RevertResult& result, bool answered) {
    const std::string head =
        Cat({NameOf(device), ": ",
             answered ? "you chose to revert" : "nothing came from it after its restart"});
    const std::string changed = SettingsText(device.changed);
    const std::string started = SettingsText(device.started);
    switch (result.kind) {
        case RevertResult::Kind::Gone:
            return Cat({head, ", but it is not known to Windows any more: its settings stay (",
                        changed, ")."});
        case RevertResult::Kind::Stopped:
            return Cat({head, ", but the change back was not made (", changed, " stay)."});
        case RevertResult::Kind::NotWritten:
            return Cat({head, ", but its settings could not all be put back as they were (",
                        started, ").", RestartText(result)});
        case RevertResult::Kind::Reverted:
            break;
    }
    return Cat({head, ", so its settings were put back as they were: ", started, " (instead of ",
                changed, ").", RestartText(result)});
}

}  // namespace confirm
