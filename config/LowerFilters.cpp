#include "config/LowerFilters.h"

#include <algorithm>

#include "config/DriverPackage.h"
#include "config/FilterListText.h"
#include "config/LowerFilterStore.h"

namespace {

std::string CurrentFilterName() {
    return FilterName(CurrentPlatformFamily());
}

bool ContainsFilter(const TLowerFilterList& list, const std::string& filterName) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return IsFilterEntry(entry, filterName); });
}

}  // namespace

TLowerFilterList ReadLowerFilters(TDevice& device) {
    return SplitLowerFilterText(ReadStoredLowerFilters(device).bytes);
}

bool HasFilter(TDevice& device) {
    return ContainsFilter(ReadLowerFilters(device), CurrentFilterName());
}

void SetFilter(TDevice& device, bool on) {
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
    if (changed) {
        WriteLowerFilters(device, list);
    }
}

void WriteLowerFilters(TDevice& device, TLowerFilterList& list) {
    RemoveTrailingEmptyEntries(list);
    WriteStoredLowerFilters(device, JoinLowerFilterList(list));
}
