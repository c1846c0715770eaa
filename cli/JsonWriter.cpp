#include "cli/JsonWriter.h"

#include <cmath>
#include <vector>

#include "base/DecimalText.h"
#include "platform/Platform.h"

namespace cli {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMember_.empty()) {
        if (hasMember_.back()) {
            text_ += ',';
        }
        hasMember_.back() = true;
    }
}

namespace {

// The text as UTF-16 from the ANSI code page it is in (a Cyrillic or an East Asian
// page as much as Windows-1252, whose 0x80 to 0x9F are not Latin-1's); byte for byte
// as Latin-1 should the conversion fail.
std::u16string Utf16FromAnsi(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::u16string wide;
    if (size > 0) {
        const int length = plat::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
        if (length > 0) {
            std::vector<WCHAR> buffer(static_cast<std::size_t>(length));
            if (plat::MultiByteToWideChar(CP_ACP, 0, text.data(), size, buffer.data(), length) ==
                length) {
                wide.assign(buffer.begin(), buffer.end());
                return wide;
            }
        }
    }
    for (const char c : text) {
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return wide;
}

}  // namespace

void JsonWriter::Escaped(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    text_ += '"';
    for (const char16_t c : Utf16FromAnsi(text)) {
        if (c == u'"' || c == u'\\') {
            text_ += '\\';
            text_ += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7E) {
            // Every unit, surrogates included, as JSON writes UTF-16 escapes.
            text_ += "\\u";
            for (const int shift : {12, 8, 4, 0}) {
                text_ += kHex[(c >> shift) & 0xF];
            }
        } else {
            text_ += static_cast<char>(c);
        }
    }
    text_ += '"';
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    hasMember_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    hasMember_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    hasMember_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    hasMember_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(const std::string& name) {
    BeforeValue();
    Escaped(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(const std::string& text) {
    BeforeValue();
    Escaped(text);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Decimal(double value, int decimals) {
    if (!std::isfinite(value)) {
        return Null();
    }
    BeforeValue();
    // Without printf: its formatter would add some 27 KiB to the 32-bit program.
    switch (decimals) {
        case 0:
            text_ += base::FixedDecimalText<0>(value);
            break;
        case 1:
            text_ += base::FixedDecimalText<1>(value);
            break;
        case 2:
            text_ += base::FixedDecimalText<2>(value);
            break;
        default:
            text_ += base::FixedDecimalText<3>(value);
            break;
    }
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
    return *this;
}

}  // namespace cli
