#include "journal/Undo.h"

#include <string>
#include <utility>

#include "base/DecimalText.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "journal/JournalLock.h"
#include "journal/JournalStore.h"
#include "platform/Platform.h"

namespace journal {

namespace {

std::string Now() {
    SYSTEMTIME time{};
    plat::GetSystemTime(&time);
    std::string text = base::ZeroPaddedText(time.wYear % 10000u, 4);
    for (const auto& [separator, field] : {std::pair{'-', time.wMonth},
                                           {'-', time.wDay},
                                           {' ', time.wHour},
                                           {':', time.wMinute},
                                           {':', time.wSecond}}) {
        text += separator;
        text += base::ZeroPaddedText(field % 100u, 2);
    }
    return text + " UTC";
}

std::string FirstHardwareId(device::TDevice& device) {
    const std::string ids = device.GetHardwareIds();
    return ids.substr(0, ids.find('\0'));
}

const char* SettingName(config::DeviceSetting setting) {
    return setting == config::DeviceSetting::Rate ? "polling rate" : "lower filters";
}

config::StoredSetting ReadSetting(device::TDevice& device, config::DeviceSetting setting) {
    return setting == config::DeviceSetting::Rate ? config::ReadRateSetting(device)
                                                  : config::ReadLowerFilterSetting(device);
}

bool WriteSetting(device::TDevice& device, config::DeviceSetting setting,
                  const config::StoredSetting& value) {
    return setting == config::DeviceSetting::Rate ? WriteRateSetting(device, value)
                                                  : WriteLowerFilterSetting(device, value);
}

enum class Outcome { Undone, Changed, Failed };

// Puts one change's earlier value back on its device.
Outcome TakeBack(const JournalEntry& entry, std::string& why) {
    const config::PlannedChange& change = entry.change;
    if (change.before.state == config::StoredSetting::State::Unknown) {
        why = "its earlier value could not be read when the change was made";
        return Outcome::Failed;
    }
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!set.valid() ||
        !plat::SetupDiOpenDeviceInfoA(set.get(), entry.instanceId.c_str(), nullptr, 0, &element)) {
        why = "the device is not known to this machine any more";
        return Outcome::Failed;
    }
    device::TDevice device(set.get(), element, INVALID_HANDLE_VALUE);
    const config::StoredSetting current = ReadSetting(device, change.setting);
    if (current == change.before) {
        return Outcome::Undone;
    }
    if (current != change.after) {
        why = "something else has changed it since";
        return Outcome::Changed;
    }
    if (!WriteSetting(device, change.setting, change.before) ||
        ReadSetting(device, change.setting) != change.before) {
        why = "the earlier value could not be written back";
        return Outcome::Failed;
    }
    return Outcome::Undone;
}

std::string Describe(const JournalEntry& entry) {
    return std::string("the ") + SettingName(entry.change.setting) + " of " + entry.instanceId +
           " (changed " + entry.time + ")";
}

// Takes back the newest `count` changes, newest first; what cannot be taken back stays.
UndoReport TakeBackNewest(bool all) {
    UndoReport report;
    const JournalLock lock;
    if (!lock.held()) {
        report.message = lock.problem();
        return report;
    }
    LoadedJournal loaded = LoadJournal();
    if (!loaded.ok) {
        report.message = loaded.message;
        return report;
    }
    std::vector<JournalEntry>& entries = loaded.journal.entries;
    if (entries.empty()) {
        report.nothing = true;
        report.message = "There is no change to undo.";
        return report;
    }
    const std::string newest = Describe(entries.back());
    // Older changes that are not reached stay as they are, before what is kept.
    const std::size_t first = all ? 0 : entries.size() - 1;
    std::vector<JournalEntry> kept(entries.begin(), entries.begin() + static_cast<long>(first));
    std::vector<JournalEntry> left;
    std::string notes;
    for (std::size_t index = entries.size(); index-- > first;) {
        std::string why;
        if (TakeBack(entries[index], why) == Outcome::Undone) {
            ++report.undone;
        } else {
            ++report.left;
            notes += "\n- " + Describe(entries[index]) + ": not undone, " + why + ".";
            left.insert(left.begin(), entries[index]);
        }
    }
    kept.insert(kept.end(), left.begin(), left.end());
    loaded.journal.entries = std::move(kept);
    if (report.undone > 0) {
        const std::string saved = SaveJournal(loaded.journal);
        if (!saved.empty()) {
            notes += "\n" + saved;
        }
    }
    if (report.undone > 0) {
        report.message =
            all ? std::to_string(report.undone) + " change(s) undone." : "Undone: " + newest + ".";
        report.message += " Restart the device(s) for this to take effect.";
    } else {
        report.message = "Nothing was undone.";
    }
    report.message += notes;
    return report;
}

}  // namespace

std::string RecordChange(device::TDevice& device, const config::PlannedChange& change) {
    if (change.before == change.after) {
        return {};
    }
    const JournalLock lock;
    if (!lock.held()) {
        return lock.problem();
    }
    LoadedJournal loaded = LoadJournal();
    if (!loaded.ok) {
        return loaded.message;
    }
    JournalEntry entry;
    entry.time = Now();
    entry.instanceId = device.GetInstanceId();
    entry.hardwareId = FirstHardwareId(device);
    entry.change = change;
    if (entry.instanceId.empty()) {
        return "The device's instance ID could not be read.";
    }
    loaded.journal.entries.push_back(std::move(entry));
    return SaveJournal(loaded.journal);
}

UndoReport UndoLastChange() {
    return TakeBackNewest(false);
}

UndoReport RestoreAll() {
    return TakeBackNewest(true);
}

}  // namespace journal
