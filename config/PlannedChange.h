// A change about to be written to a device's setting, for whoever must know of it
// first (the undo journal): which setting, what is stored now and what will be.
#pragma once

#include <functional>
#include <string>

namespace config {

enum class DeviceSetting { LowerFilters, Rate };

struct StoredSetting {
    enum class State {
        Absent,
        Present,
        Unknown,  // there may be a value, but it could not be read as this setting's
    };
    State state = State::Absent;
    // Present: the lower-filter list's stored multi-string, or the rate's 4 bytes
    // (bInterval, little-endian).
    std::string bytes;

    friend bool operator==(const StoredSetting&, const StoredSetting&) = default;
};

struct PlannedChange {
    DeviceSetting setting = DeviceSetting::LowerFilters;
    StoredSetting before;
    StoredSetting after;
};

// Runs before the write; false: the write does not happen.
using BeforeWrite = std::function<bool(const PlannedChange&)>;

}  // namespace config
