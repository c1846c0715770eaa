// The lower-filter list as text: the stored multi-string split into entries and
// joined back, and the comparison of an entry with the filter's name.
#pragma once

#include <string>

#include "config/LowerFilters.h"

namespace config {

// Every NUL becomes a CR; the text is split at CR, LF or CR LF (one break each);
// text after the last break is an entry only if it is not empty; trailing empty
// entries are dropped.
TLowerFilterList SplitLowerFilterText(std::string stored);
void RemoveTrailingEmptyEntries(TLowerFilterList& list);
// Each entry followed by a NUL, then one more NUL; the empty list gives no bytes.
std::string JoinLowerFilterList(const TLowerFilterList& list);
// The entry lower-cased in ASCII equals the (lower-case) filter name; no trimming.
bool IsFilterEntry(const std::string& entry, const std::string& filterName);

}  // namespace config
