#include "platform/sim/SimText.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/AsciiCase.h"
#include "platform/sim/SimMachine.h"

namespace sim {

char UpperChar(char c) {
    return base::UpperAsciiChar(c);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return base::EqualNoCaseAscii(a, b);
}

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

bool NameLess::operator()(const std::string& a, const std::string& b) const {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(UpperChar(a[i]));
        const auto y = static_cast<unsigned char>(UpperChar(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

std::string HexNumber(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

std::string HexBytes(const void* data, std::size_t size) {
    static const char kDigits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

std::string TextArg(const char* text) {
    return text != nullptr ? std::string(text) : "null";
}

std::string HandleArg(const void* handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == 0) {
        return "0";
    }
    if (value == ~std::uintptr_t{0}) {
        return "-1";
    }
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string GuidArg(const GUID* guid) {
    return guid != nullptr ? FormatGuid(*guid) : "null";
}

std::string FormatGuid(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string MultiString(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += '\0';
    }
    bytes += '\0';
    return bytes;
}

}  // namespace sim
