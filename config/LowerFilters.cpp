#include "config/LowerFilters.h"

#include <algorithm>

#include "config/DriverPackage.h"
#include "config/FilterListText.h"
#include "config/LowerFilterStore.h"

namespace config {

namespace {

std::string CurrentFilterName() {
    return FilterName(CurrentPlatformFamily());
}

bool ContainsFilter(const TLowerFilterList& list, const std::string& filterName) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return IsFilterEntry(entry, filterName); });
}

StoredSetting SettingOf(const StoredList& stored) {
    switch (stored.state) {
        case StoredListState::Found:
            return {StoredSetting::State::Present, stored.bytes};
        case StoredListState::Absent:
            return {StoredSetting::State::Absent, {}};
        case StoredListState::Unreadable:
            break;
    }
    return {StoredSetting::State::Unknown, {}};
}

// The list the bytes store: none when they are empty.
StoredSetting SettingOf(const std::string& bytes) {
    if (bytes.empty()) {
        return {StoredSetting::State::Absent, {}};
    }
    return {StoredSetting::State::Present, bytes};
}

}  // namespace

TLowerFilterList ReadLowerFilters(device::TDevice& device) {
    return SplitLowerFilterText(ReadStoredLowerFilters(device).bytes);
}

bool HasFilter(device::TDevice& device) {
    return ContainsFilter(ReadLowerFilters(device), CurrentFilterName());
}

void SetFilter(device::TDevice& device, bool on, const BeforeWrite& beforeWrite) {
    const StoredList stored = ReadStoredLowerFilters(device);
    // A list that may exist is never replaced: the filter alone is written only where
    // the platform said there is no list.
    if (stored.state == StoredListState::Unreadable) {
        return;
    }
    const std::string filterName = CurrentFilterName();
    TLowerFilterList list = SplitLowerFilterText(stored.bytes);
    const bool found = ContainsFilter(list, filterName);
    bool changed = false;
    if (on && !found) {
        list.insert(list.begin(), filterName);
        changed = true;
    } else if (!on && found) {
        std::erase_if(list,
                      [&](const std::string& entry) { return IsFilterEntry(entry, filterName); });
        changed = true;
    }
    if (!changed) {
        return;
    }
    RemoveTrailingEmptyEntries(list);
    const std::string after = JoinLowerFilterList(list);
    if (beforeWrite) {
        const PlannedChange change{DeviceSetting::LowerFilters, SettingOf(stored),
                                   SettingOf(after)};
        if (!beforeWrite(change)) {
            return;
        }
    }
    WriteStoredLowerFilters(device, after);
}

StoredSetting ReadLowerFilterSetting(device::TDevice& device) {
    return SettingOf(ReadStoredLowerFilters(device));
}

bool WriteLowerFilterSetting(device::TDevice& device, const StoredSetting& setting) {
    if (setting.state == StoredSetting::State::Unknown) {
        return false;
    }
    WriteStoredLowerFilters(
        device, setting.state == StoredSetting::State::Present ? setting.bytes : std::string());
    return true;
}

void WriteLowerFilters(device::TDevice& device, TLowerFilterList& list) {
    RemoveTrailingEmptyEntries(list);
    WriteStoredLowerFilters(device, JoinLowerFilterList(list));
}

}  // namespace config
