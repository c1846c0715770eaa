// What the health window shows, apart from drawing it: a heading on the driver and
// the count of devices, and one line per device that carries the filter. The window
// (ui/win32/HealthWindow) lists them.
#pragma once

#include <string>
#include <vector>

struct FilterHealth;

std::string HealthHeading(const FilterHealth& health);
std::vector<std::string> HealthLines(const FilterHealth& health);
