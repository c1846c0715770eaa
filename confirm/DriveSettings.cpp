#include "confirm/DriveSettings.h"

#include "base/AsciiCase.h"
#include "config/FilterListText.h"
#include "config/DriverPackage.h"
#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"

namespace confirm {

bool DriveSettings::FilterOn() const {
    if (filters.state != config::StoredSetting::State::Present) {
        return false;
    }
    const std::string name = FilterName(config::CurrentPlatformFamily());
    for (const std::string& entry : config::SplitLowerFilterText(filters.bytes)) {
        if (config::IsFilterEntry(entry, name)) {
            return true;
        }
    }
    return false;
}

bool DriveSettings::DrivesOtherwise(const DriveSettings& other) const {
    return FilterOn() != other.FilterOn() || rate != other.rate;
}

DriveSettings ReadDriveSettings(device::TDevice& device) {
    return {config::ReadLowerFilterSetting(device), config::ReadRateSetting(device)};
}

DriveSettings* StartedSettings::Find(const std::string& instanceId) {
    for (auto& [id, settings] : started_) {
        if (base::EqualNoCaseAscii(id, instanceId)) {
            return &settings;
        }
    }
    return nullptr;
}

void StartedSettings::NoteBeforeChange(const std::string& instanceId,
                                       const DriveSettings& settings) {
    if (Find(instanceId) == nullptr) {
        started_.emplace_back(instanceId, settings);
    }
}

void StartedSettings::NoteStarted(const std::string& instanceId, const DriveSettings& settings) {
    if (DriveSettings* known = Find(instanceId)) {
        *known = settings;
    } else {
        started_.emplace_back(instanceId, settings);
    }
}

std::optional<DriveSettings> StartedSettings::Of(const std::string& instanceId) const {
    for (const auto& [id, settings] : started_) {
        if (base::EqualNoCaseAscii(id, instanceId)) {
            return settings;
        }
    }
    return std::nullopt;
}

}  // namespace confirm
