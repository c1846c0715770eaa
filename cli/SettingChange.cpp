#include "cli/SettingChange.h"

#include "cli/Arguments.h"
#include "cli/DeviceFacts.h"
#include "cli/ExitCodes.h"
#include "cli/ScriptHost.h"
#include "commands/SettingCommands.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "platform/Platform.h"

namespace cli {

namespace {

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

const char* RateName(int index) {
    return RateLabel(index);
}

}  // namespace

void CheckQuestions(device::TDevice& device, const DesiredSetting& setting, bool force) {
    if (force || !setting.filter.value_or(false) || config::HasFilter(device)) {
        return;
    }
    ScriptHost host(false, false);
    const commands::Result result = commands::ConfirmAttach(device, host);
    if (!result.declined) {
        return;
    }
    const std::string id = device.GetInstanceId();
    switch (*result.declined) {
        case commands::Question::Hub:
            throw UsageError(id + " is a USB hub; attaching the filter needs --force");
        case commands::Question::Usefulness:
            throw UsageError(id +
                             ": the parent is no hub, so the filter is probably useless; "
                             "attaching it needs --force");
        case commands::Question::DriverMissing:
            throw UsageError(id +
                             ": the QUORVIN driver is not installed, or its driver file is "
                             "missing, so the device would not start after a restart; "
                             "attaching the filter needs --force");
        case commands::Question::DriverDisabled:
            throw UsageError(id +
                             ": the QUORVIN driver's service is disabled, so the device would "
                             "not start after a restart; attaching the filter needs --force");
        case commands::Question::DriverNotKernel:
            throw UsageError(id +
                             ": the QUORVIN service is not a kernel driver, so the device would "
                             "not start after a restart; attaching the filter needs --force");
        default:
            throw UsageError(id + ": whether the QUORVIN driver is installed could not be " +
                             "checked (error " + std::to_string(host.LastAsked().number) +
                             "), so the device might not start after a restart; attaching " +
                             "the filter needs --force");
    }
}

DeviceChange ApplySetting(device::TDevice& device, const DesiredSetting& setting,
                          bool unrecordedToo) {
    DeviceChange change;
    change.instanceId = device.GetInstanceId();
    change.filterBefore = config::HasFilter(device);
    change.rateBefore = ReadRate(device);
    // The questions attaching the filter asks were settled by CheckQuestions.
    ScriptHost host(true, unrecordedToo);
    const auto take = [&](const commands::Result& result) {
        change.failed = change.failed || result.kind == commands::Result::Kind::Failed ||
                        result.kind == commands::Result::Kind::Declined;
        if (host.AskedUnrecorded()) {
            const std::string& why = host.LastAsked().why;
            change.note = unrecordedToo ? "made without an undo record: " + why
                                        : "not made, as it cannot be recorded for undo (--force "
                                          "makes it anyway): " +
                                              why;
        }
        if (!host.JournalNotKeptWhy().empty()) {
            change.note = "made without an undo record: " + host.JournalNotKeptWhy();
        }
    };
    if (setting.filter && *setting.filter != change.filterBefore) {
        take(commands::ChangeFilter(device, *setting.filter, host,
                                    commands::AttachQuestions::Settled));
    }
    const bool rateUnknown = setting.rate && change.rateBefore == kRateUnknown;
    if (rateUnknown) {
        // Neither the change nor its undo record can be made from an unknown rate.
        change.note =
            "the polling rate cannot be read (its driver key does not open; run as "
            "an administrator)";
    } else if (setting.rate && *setting.rate != change.rateBefore) {
        take(commands::ChangeRate(device, static_cast<std::uint32_t>(*setting.rate), host));
    }
    change.filterAfter = config::HasFilter(device);
    change.filterWritten = change.filterAfter;
    change.rateAfter = ReadRate(device);
    // What the registry holds now is the last word, whatever the commands said.
    change.failed = change.failed || (setting.filter && *setting.filter != change.filterAfter) ||
                    (setting.rate && (rateUnknown || *setting.rate != change.rateAfter));
    return change;
}

void RestartAndReread(device::TDevice& device, DeviceChange& change) {
    change.restart = RestartDeviceNow(device);
    // The restart may have given the device a new node, which the listed pair does not
    // name: the device is opened again by its instance ID. One that is gone keeps what
    // was read before the restart.
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (change.instanceId.empty() || !set.valid() ||
        !plat::SetupDiOpenDeviceInfoA(set.get(), change.instanceId.c_str(), nullptr, 0, &element)) {
        return;
    }
    device::TDevice reopened(set.get(), element, INVALID_HANDLE_VALUE);
    change.filterAfter = config::HasFilter(reopened);
    change.rateAfter = ReadRate(reopened);
}

int ParseRate(const std::string& name) {
    for (std::size_t i = 0; i < config::RateNames.size(); ++i) {
        if (base::EqualNoCaseAscii(name, config::RateNames[i])) {
            return static_cast<int>(i);
        }
    }
    throw UsageError("bad rate \"" + name + "\" (Default, 1000, 500, 250, 125, 62 or 31)");
}

bool ParseOnOff(const std::string& option, const std::string& value) {
    if (base::EqualNoCaseAscii(value, "on")) {
        return true;
    }
    if (base::EqualNoCaseAscii(value, "off")) {
        return false;
    }
    throw UsageError("bad value \"" + value + "\" for --" + option + " (on or off)");
}

void WriteChangeJson(JsonWriter& json, const DeviceChange& change) {
    json.BeginObject();
    json.Key("instanceId").String(change.instanceId);
    json.Key("matchedBy").String(change.matchedBy);
    json.Key("filter").BeginObject();
    json.Key("before").Bool(change.filterBefore).Key("after").Bool(change.filterAfter);
    json.EndObject();
    json.Key("rate").BeginObject();
    json.Key("before").String(RateName(change.rateBefore));
    json.Key("after").String(RateName(change.rateAfter));
    json.EndObject();
    json.Key("changed").Bool(change.Changed());
    json.Key("failed").Bool(change.failed);
    if (!change.note.empty()) {
        json.Key("note").String(change.note);
    }
    WriteRestartJson(json, change.restart ? &*change.restart : nullptr);
    if (change.confirm) {
        json.Key("confirm").String(ConfirmResultName(*change.confirm));
        if (!change.confirmNote.empty()) {
            json.Key("confirmNote").String(change.confirmNote);
        }
    }
    json.EndObject();
}

const char* ConfirmResultName(ConfirmResult result) {
    switch (result) {
        case ConfirmResult::Confirmed:
            return "confirmed";
        case ConfirmResult::Reverted:
            return "reverted";
        case ConfirmResult::NotReverted:
            break;
    }
    return "not-reverted";
}

std::string ChangeText(const DeviceChange& change) {
    std::string text = change.instanceId + ": ";
    std::string parts;
    const auto add = [&](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
    if (change.filterWritten != change.filterAfter && change.filterBefore != change.filterWritten) {
        add(std::string("filter ") + OnOff(change.filterBefore) + " -> " +
            OnOff(change.filterWritten) + " -> " + OnOff(change.filterAfter) +
            " (taken off again)");
    } else if (change.filterBefore != change.filterAfter) {
        add(std::string("filter ") + OnOff(change.filterBefore) + " -> " +
            OnOff(change.filterAfter));
    }
    if (change.rateBefore != change.rateAfter) {
        add(std::string("rate ") + RateName(change.rateBefore) + " -> " +
            RateName(change.rateAfter));
    }
    if (parts.empty() && change.filterBefore == change.filterWritten) {
        add(std::string("unchanged (filter ") + OnOff(change.filterAfter) + ", rate " +
            RateName(change.rateAfter) + ")");
    }
    if (change.failed) {
        add("FAILED to write");
    }
    if (!change.note.empty()) {
        add(change.note);
    }
    if (change.restart) {
        add("restart " + RestartText(*change.restart));
    }
    if (change.confirm == ConfirmResult::Confirmed) {
        add("confirmed by its reports");
    } else if (change.confirm) {
        add(change.confirmNote);
    }
    return text + parts;
}

}  // namespace cli
