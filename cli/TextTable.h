// Aligned columns for people: every column as wide as its widest cell, two blanks
// between columns, no trailing blanks.
#pragma once

#include <string>
#include <vector>

namespace cli {

std::string FormatTable(const std::vector<std::vector<std::string>>& rows);

}  // namespace cli
