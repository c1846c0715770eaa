#include "ui/HealthView.h"

#include "health/FilterHealth.h"

namespace ui {

std::string HealthDriverLine(const health::FilterHealth& health) {
    return ::health::DriverText(health.driver);
}

std::string HealthCountLine(const health::FilterHealth& health) {
    if (!health.listed) {
        return "The devices could not be listed.";
    }
    const std::size_t count = health.devices.size();
    if (count == 0) {
        return "No device carries the filter.";
    }
    const int broken = health.RepairableCount();
    if (count == 1) {
        return broken == 0 ? "1 device carries the filter; it does not keep it from starting."
                           : "1 device carries the filter; it does not start with it.";
    }
    const std::string carry = std::to_string(count) + " devices carry the filter; ";
    if (broken == 0) {
        return carry + "it keeps none of them from starting.";
    }
    return carry + std::to_string(broken) +
           (broken == 1 ? " of them does not start with it." : " of them do not start with it.");
}

std::vector<HealthRow> HealthRows(const health::FilterHealth& health) {
    std::vector<HealthRow> rows;
    for (const ::health::FilteredDevice& device : health.devices) {
        const std::string name = device.description.empty() ? "Device" : device.description;
        rows.push_back({device.Repairable(),
                        {name, device.productName, ConditionText(device), device.instanceId}});
    }
    return rows;
}

}  // namespace ui
