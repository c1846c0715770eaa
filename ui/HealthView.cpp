#include "ui/HealthView.h"

#include "health/FilterHealth.h"

std::string HealthHeading(const FilterHealth& health) {
    const std::string driver = DriverText(health.driver);
    if (!health.listed) {
        return driver + " The devices could not be listed.";
    }
    if (health.devices.empty()) {
        return driver + " No device carries the filter.";
    }
    const int broken = health.RepairableCount();
    return driver + " " + std::to_string(health.devices.size()) + " device(s) carry the filter; " +
           (broken == 0 ? std::string("none is kept from starting by it.")
                        : std::to_string(broken) + " of them do not start with it.");
}

std::vector<std::string> HealthLines(const FilterHealth& health) {
    std::vector<std::string> lines;
    for (const FilteredDevice& device : health.devices) {
        const std::string name = device.description.empty() ? "Device" : device.description;
        lines.push_back((device.Repairable() ? "[!] " : "") + name + " - " + ConditionText(device) +
                        " - " + device.instanceId);
    }
    return lines;
}
