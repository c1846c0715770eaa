#include "platform/sim/SimNames.h"

#include <optional>

#include "platform/sim/SimInput.h"
#include "platform/sim/SimSeamSupport.h"

namespace sim {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// The characters of UTF-8 text, one at a time.
std::u32string CodePoints(std::string_view text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        bool whole = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        points += whole ? c : kReplacement;
        i += whole ? length : 1;
    }
    return points;
}

}  // namespace

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
        }
    }
    return out;
}

std::u16string Utf16(std::string_view text) {
    std::u16string out;
    for (const char32_t c : CodePoints(text)) {
        AppendUtf16(out, c);
    }
    return out;
}

std::string NameFromAnsi(std::string_view ansi) {
    const UINT page = AnsiCodePage(Current());
    std::string out;
    for (const char byte : ansi) {
        const std::optional<char16_t> c = AnsiChar(page, static_cast<unsigned char>(byte));
        AppendUtf8(out, c ? *c : kReplacement);
    }
    return out;
}

std::string AnsiName(std::string_view name) {
    const UINT page = AnsiCodePage(Current());
    std::string out;
    for (const char32_t c : CodePoints(name)) {
        const std::optional<unsigned char> byte =
            c < 0x10000 ? AnsiByte(page, static_cast<char16_t>(c)) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::string WideArg(const WCHAR* text) {
    return text != nullptr ? Utf8(WideText(text)) : "null";
}

std::u16string WideText(const WCHAR* text) {
    std::u16string out;
    for (; text != nullptr && *text != 0; ++text) {
        out += static_cast<char16_t>(*text);
    }
    return out;
}

}  // namespace sim
