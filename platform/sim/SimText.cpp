#include "platform/sim/SimText.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/sim/SimMachine.h"

namespace sim {

namespace {
char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t WordAt(std::string_view text, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, 8);
    return word;
}

// The last, partial word, zero-filled.
std::uint64_t TailAt(std::string_view text, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + at, text.size() - at);
    return word;
}

// Eight characters at once: every byte from 'a' to 'z' loses 0x20, the others (bytes
// above 0x7F included) stay. No byte's sum carries into the next.
std::uint64_t UpperWord(std::uint64_t word) {
    const std::uint64_t low7 = word & ~kHighBits;
    const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kEveryByte;
    const std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kEveryByte;
    const std::uint64_t lower = atLeastA & ~aboveZ & ~word & kHighBits;
    return word - (lower >> 2);
}

// Each step is a bijection of the state for a given word, so texts of one length part
// at their first differing word and stay apart but by chance.
std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
    return hash ^ (hash >> 29);
}

// Spreads every input bit over every output bit, so any slice of the hash indexes.
std::uint64_t Finish(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 33);
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // Most texts compared are spelt alike.
    if (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0) {
        return true;
    }
    std::size_t at = 0;
    for (; at + 8 <= a.size(); at += 8) {
        if (UpperWord(WordAt(a, at)) != UpperWord(WordAt(b, at))) {
            return false;
        }
    }
    return at == a.size() || UpperWord(TailAt(a, at)) == UpperWord(TailAt(b, at));
}

std::uint64_t HashNoCase(std::string_view text) {
    std::uint64_t hash = text.size();
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        hash = Mix(hash, UpperWord(WordAt(text, at)));
    }
    if (at < text.size()) {
        hash = Mix(hash, UpperWord(TailAt(text, at)));
    }
    return Finish(hash);
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
