#include "confirm/DriveSettings.h"

#include "base/AsciiCase.h"
#include "config/FilterListText.h"
#include "config/DriverPackage.h"
#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"

namespace confirm {

bool DriveSettings::FilterOn() const {
    if (filters.state != StoredSetting::State::Present) {
        return false;
    }
    const std::string name = FilterName(CurrentPlatformFamily());
    for (const std::string& entry : SplitLowerFilterText(filters.bytes)) {
        if (IsFilterEntry(entry, name)) {
            return true;
        }
    }
    return false;
}

bool DriveSettings::DrivesOtherwise(const DriveSettings& other) const {
    return FilterOn() != other.FilterOn() || rate != other.rate;
}

DriveSettings ReadDriveSettings(TDevice& device) {
    return {ReadLowerFilterSetting(device), ReadRateSetting(device)};
}

void StartedSettings::NoteBeforeChange(const std::string& instanceId,
                                       const DriveSettings& settings) {
    started_.try_emplace(UpperAscii(instanceId), settings);
}

void StartedSettings::NoteStarted(const std::string& instanceId, const DriveSettings& settings) {
    started_.insert_or_assign(UpperAscii(instanceId), settings);
}

std::optional<DriveSettings> StartedSettings::Of(const std::string& instanceId) const {
    const auto found = started_.find(UpperAscii(instanceId));
    if (found == started_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace confirm
