// Text helpers of the simulated platform: ASCII case folding as Windows applies it to
// instance IDs and value names, and the formatting of call-log arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

namespace sim {

// 'a' to 'z' as 'A' to 'Z'; every other byte as it is.
char UpperChar(char c);
bool EqualNoCase(std::string_view a, std::string_view b);
bool SameGuid(const GUID& a, const GUID& b);

// "0x" and upper-case hex digits without padding: 0x2, 0xF003F.
std::string HexNumber(unsigned long value);
// Bytes as upper-case hex pairs without separators: 71756F00.
std::string HexBytes(const void* data, std::size_t size);
// A string argument as given, or "null".
std::string TextArg(const char* text);
// A handle or window: "0" for null, "-1" for all ones, otherwise 0x and hex digits.
std::string HandleArg(const void* handle);
// A GUID in registry form, or "null".
std::string GuidArg(const GUID* guid);

// Entries each followed by NUL, then one more NUL.
std::string MultiString(const std::vector<std::string>& entries);

}  // namespace sim
