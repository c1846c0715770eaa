// How a device is driven, as far as this program decides it: the lower-filter list
// (whether the filter is in it) and the stored polling rate. A device runs with the
// settings it had when it last started; a change takes effect at its next restart.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/PlannedChange.h"

namespace device {
class TDevice;
}  // namespace device

namespace confirm {

struct DriveSettings {
    config::StoredSetting filters;
    config::StoredSetting rate;

    // Whether the filter is in the list.
    bool FilterOn() const;
    // Whether a device started with `other` is driven otherwise: the filter attached or
    // removed, or another rate stored. Other entries of the list do not count.
    bool DrivesOtherwise(const DriveSettings& other) const;

    friend bool operator==(const DriveSettings&, const DriveSettings&) = default;
};

DriveSettings ReadDriveSettings(device::TDevice& device);

// What each device is known to have started with, by instance ID (upper case). The
// program learns it when it first changes a device (the settings before the change)
// and whenever a restart of the device is confirmed; a device it never changed is
// taken to run with what it has.
class StartedSettings {
  public:
    // Before a first change of the device: what it runs with now.
    void NoteBeforeChange(const std::string& instanceId, const DriveSettings& settings);
    // The device started with these and works with them.
    void NoteStarted(const std::string& instanceId, const DriveSettings& settings);
    std::optional<DriveSettings> Of(const std::string& instanceId) const;

  private:
    // The entry of the device, or null.
    DriveSettings* Find(const std::string& instanceId);

    // A few devices a session at most.
    std::vector<std::pair<std::string, DriveSettings>> started_;
};

}  // namespace confirm
