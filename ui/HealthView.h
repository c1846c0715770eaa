// What the health window shows, apart from drawing it: a line on the driver, a line
// with the count of devices, and a table with one row per device that carries the
// filter. The window (ui/win32/HealthWindow) lists them.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace health {
struct FilterHealth;
}  // namespace health

namespace ui {

inline constexpr std::array<const char*, 4> kHealthColumns = {"Device", "Product name", "State",
                                                              "Instance ID"};

struct HealthRow {
    // The filter keeps the device from starting: the repair would take it off.
    bool broken = false;
    // In the order of kHealthColumns.
    std::array<std::string, kHealthColumns.size()> cells;
};

std::string HealthDriverLine(const health::FilterHealth& health);
// How many devices carry the filter and how many of them it keeps from starting.
std::string HealthCountLine(const health::FilterHealth& health);
std::vector<HealthRow> HealthRows(const health::FilterHealth& health);

}  // namespace ui
