// What a stored lower-filter list means and what adding or removing the filter must
// store, stated independently of config/ so that the real operations can be checked
// against it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace model {

using Entries = std::vector<std::string>;
// A stored list: its bytes, or nothing when no value or property exists.
using Stored = std::optional<std::string>;

// NUL, CR and LF each end an entry; an LF right after a NUL or CR belongs to that
// break. A non-empty rest after the last break is one more entry. Empty entries at
// the end do not count.
inline Entries ReadEntries(const Stored& stored) {
    Entries entries;
    const std::string bytes = stored.value_or(std::string());
    const std::string breaks("\0\r\n", 3);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of(breaks, start);
        if (end == std::string::npos) {
            entries.push_back(bytes.substr(start));
            break;
        }
        entries.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] != '\n' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    while (!entries.empty() && entries.back().empty()) {
        entries.pop_back();
    }
    return entries;
}

inline bool IsFilter(const std::string& entry, const std::string& filterName) {
    if (entry.size() != filterName.size()) {
        return false;
    }
    for (std::size_t i = 0; i < entry.size(); ++i) {
        char c = entry[i];
        if ('A' <= c && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
        if (c != filterName[i]) {
            return false;
        }
    }
    return true;
}

inline std::size_t CountFilters(const Entries& entries, const std::string& filterName) {
    std::size_t count = 0;
    for (const std::string& entry : entries) {
        count += IsFilter(entry, filterName) ? 1 : 0;
    }
    return count;
}

// The stored form: every entry and a NUL, one more NUL; no value for no entries.
inline Stored Store(Entries entries) {
    while (!entries.empty() && entries.back().empty()) {
        entries.pop_back();
    }
    if (entries.empty()) {
        return std::nullopt;
    }
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes.append(entry).push_back('\0');
    }
    bytes.push_back('\0');
    return bytes;
}

// What SetFilter must leave stored; the list as it was when nothing changes.
inline Stored AfterSetFilter(const Stored& stored, bool on, const std::string& filterName) {
    const Entries entries = ReadEntries(stored);
    const bool present = CountFilters(entries, filterName) > 0;
    if (on == present) {
        return stored;
    }
    Entries result;
    if (on) {
        result.push_back(filterName);
    }
    for (const std::string& entry : entries) {
        if (!IsFilter(entry, filterName)) {
            result.push_back(entry);
        }
    }
    return Store(result);
}

}  // namespace model
