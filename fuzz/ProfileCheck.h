// Any bytes as a profile: the reader either refuses them with a ProfileError whose
// message names a line (or the whole file) on one line, or accepts them; what it
// accepts is written out and read back to the same entries, and every accepted entry
// names a device and a setting.
#pragma once

#include <cstdint>
#include <string>

#include "cli/Profile.h"

namespace fuzzcheck {

inline bool SameEntries(const cli::Profile& a, const cli::Profile& b) {
    if (a.entries.size() != b.entries.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const cli::ProfileEntry& x = a.entries[i];
        const cli::ProfileEntry& y = b.entries[i];
        if (x.instanceId != y.instanceId || x.hardwareId != y.hardwareId ||
            x.description != y.description || x.filter != y.filter || x.rate != y.rate) {
            return false;
        }
    }
    return true;
}

inline std::string CheckProfile(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    cli::Profile profile;
    try {
        profile = cli::ParseProfile(text);
    } catch (const cli::ProfileError& e) {
        const std::string message = e.what();
        if (message.empty() || message.find('\n') != std::string::npos) {
            return "refusal is not one line: " + message;
        }
        return {};
    }
    for (const cli::ProfileEntry& entry : profile.entries) {
        if (entry.instanceId.empty() && entry.hardwareId.empty()) {
            return "accepted an entry without a device";
        }
        if (!entry.filter && !entry.rate) {
            return "accepted an entry without a setting";
        }
        if (entry.rate && (*entry.rate < 0 || *entry.rate > 6)) {
            return "accepted a rate index out of range";
        }
    }
    cli::Profile again;
    try {
        again = cli::ParseProfile(cli::FormatProfile(profile));
    } catch (const cli::ProfileError& e) {
        return std::string("a written profile does not read back: ") + e.what();
    }
    if (!SameEntries(profile, again)) {
        return "a written profile reads back different entries";
    }
    return {};
}

}  // namespace fuzzcheck
