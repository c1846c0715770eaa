#include "config/FilterListText.h"

#include <algorithm>

namespace config {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

TLowerFilterList SplitLowerFilterText(std::string stored) {
    std::replace(stored.begin(), stored.end(), '\0', '\r');
    TLowerFilterList list;
    std::string entry;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c != '\r' && c != '\n') {
            entry += c;
            continue;
        }
        if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') {
            ++i;
        }
        list.push_back(std::move(entry));
        entry.clear();
    }
    if (!entry.empty()) {
        list.push_back(std::move(entry));
    }
    RemoveTrailingEmptyEntries(list);
    return list;
}

void RemoveTrailingEmptyEntries(TLowerFilterList& list) {
    while (!list.empty() && list.back().empty()) {
        list.pop_back();
    }
}

std::string JoinLowerFilterList(const TLowerFilterList& list) {
    if (list.empty()) {
        return {};
    }
    std::string data;
    for (const std::string& entry : list) {
        data += entry;
        data += '\0';
    }
    data += '\0';
    return data;
}

bool IsFilterEntry(const std::string& entry, const std::string& filterName) {
    return entry.size() == filterName.size() &&
           std::equal(entry.begin(), entry.end(), filterName.begin(),
                      [](char a, char b) { return AsciiLower(a) == b; });
}

}  // namespace config
