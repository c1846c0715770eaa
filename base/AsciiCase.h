// ASCII letter case, as Windows compares instance IDs, hardware IDs, registry and
// service paths, and as the command line takes its words: only A-Z and a-z fold,
// so bytes of the ANSI code page above 0x7F compare as they are.
#pragma once

#include <string>
#include <string_view>

namespace base {

inline char UpperAsciiChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperAsciiChar(c);
    }
    return upper;
}

inline bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) {
            return false;
        }
    }
    return true;
}

inline bool StartsWithNoCaseAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCaseAscii(text.substr(0, prefix.size()), prefix);
}

}  // namespace base
