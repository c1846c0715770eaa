#include "journal/AdminOnlyAccess.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace journal {

namespace {

// What reading and executing a file or listing a folder needs: FILE_GENERIC_READ,
// FILE_GENERIC_EXECUTE, GENERIC_READ and GENERIC_EXECUTE.
constexpr std::uint32_t kReadRights = 0x001200A9u | 0x80000000u | 0x20000000u;

// The two-letter rights of SDDL, as file rights.
struct RightName {
    const char* name;
    std::uint32_t mask;
};
constexpr RightName kRights[] = {
    {"GA", 0x10000000u}, {"GR", 0x80000000u}, {"GW", 0x40000000u}, {"GX", 0x20000000u},
    {"RC", 0x00020000u}, {"SD", 0x00010000u}, {"WD", 0x00040000u}, {"WO", 0x00080000u},
    {"RP", 0x00000010u}, {"WP", 0x00000020u}, {"CC", 0x00000001u}, {"DC", 0x00000002u},
    {"LC", 0x00000004u}, {"SW", 0x00000008u}, {"LO", 0x00000080u}, {"DT", 0x00000040u},
    {"CR", 0x00000100u}, {"FA", 0x001F01FFu}, {"FR", 0x00120089u}, {"FW", 0x00120116u},
    {"FX", 0x001200A0u}, {"KA", 0x000F003Fu}, {"KR", 0x00020019u}, {"KW", 0x00020006u},
    {"KX", 0x00020019u},
};

std::optional<std::uint32_t> ParseRights(std::string_view text) {
    if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
        if (text.size() < 3 || text.size() > 10) {
            return std::nullopt;
        }
        std::uint32_t mask = 0;
        for (const char c : text.substr(2)) {
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0) {
                return std::nullopt;
            }
            mask = mask << 4 | static_cast<std::uint32_t>(digit);
        }
        return mask;
    }
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        bool known = false;
        for (const RightName& right : kRights) {
            if (text.substr(i, 2) == right.name) {
                mask |= right.mask;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return mask;
}

bool IsAdministrator(std::string_view sid) {
    return sid == "BA" || sid == "SY" || sid == "S-1-5-32-544" || sid == "S-1-5-18";
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) {
            return parts;
        }
        at = end + 1;
    }
}

}  // namespace

std::string WhyNotAdminOnly(std::string_view sddl) {
    if (sddl.substr(0, 2) != "O:") {
        return "its owner could not be read";
    }
    const std::size_t daclAt = sddl.find("D:");
    const std::string_view owner =
        sddl.substr(2, daclAt == std::string_view::npos ? daclAt : daclAt - 2);
    if (!IsAdministrator(owner)) {
        return "it belongs to " + std::string(owner) + ", not to the administrators";
    }
    if (daclAt == std::string_view::npos) {
        return "it has no access list, so anyone may change it";
    }
    std::string_view dacl = sddl.substr(daclAt + 2);
    const std::size_t firstAce = dacl.find('(');
    const std::string_view flags = dacl.substr(0, firstAce);
    if (flags.find("NO_ACCESS_CONTROL") != std::string_view::npos) {
        return "it has no access list, so anyone may change it";
    }
    dacl = firstAce == std::string_view::npos ? std::string_view() : dacl.substr(firstAce);
    while (!dacl.empty()) {
        const std::size_t close = dacl.find(')');
        if (dacl[0] != '(' || close == std::string_view::npos) {
            return "its access list could not be read";
        }
        const std::vector<std::string_view> fields = Split(dacl.substr(1, close - 1), ';');
        dacl.remove_prefix(close + 1);
        if (fields.size() < 6) {
            return "its access list could not be read";
        }
        const std::string_view type = fields[0];
        if (type == "D") {
            continue;  // a denial takes rights away
        }
        if (type != "A") {
            return "its access list has entries this program does not know";
        }
        const std::optional<std::uint32_t> rights = ParseRights(fields[2]);
        if (!rights) {
            return "its access list has rights this program does not know";
        }
        const std::string_view sid = fields[5];
        if ((*rights & ~kReadRights) != 0 && !IsAdministrator(sid)) {
            return "its access list lets " + std::string(sid) + " change it";
        }
    }
    return {};
}

}  // namespace journal
