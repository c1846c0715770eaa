// Numbers as decimal text without the C runtime's printf: on MinGW every snprintf
// call brings in its own formatter with full floating-point conversion (about 27 KiB
// of the 32-bit program), for a handful of figures. The text is exactly what
// printf's "%0*u" and "%.Nf" give.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace base {

// value in at least `width` digits, zeros in front: printf's "%0*u".
inline std::string ZeroPaddedText(unsigned value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return text;
}

namespace decimal_text {

// Doubles a non-negative integer written in decimal digits.
inline void Double(std::string& digits) {
    int carry = 0;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        const int twice = (*digit - '0') * 2 + carry;
        *digit = static_cast<char>('0' + twice % 10);
        carry = twice / 10;
    }
    if (carry != 0) {
        digits.insert(digits.begin(), '1');
    }
}

}  // namespace decimal_text

// value with Decimals digits after the point, rounded as printf's "%.Nf" rounds: to the
// nearest on the exact binary value, a tie to the even digit; "-" for every negative
// value (also one that rounds to zero, and -0), "inf" and "nan" for those.
template <int Decimals>
std::string FixedDecimalText(double value) {
    // A 53-bit mantissa times 10^3 still fits 64 bits.
    static_assert(Decimals >= 0 && Decimals <= 3);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::string sign = (bits >> 63) != 0 ? "-" : "";
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7FF) {
        return sign + (mantissa != 0 ? "nan" : "inf");
    }
    int exponent = -1074;  // value = mantissa * 2^exponent
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    std::uint64_t scaled = mantissa;
    for (int i = 0; i < Decimals; ++i) {
        scaled *= 10;
    }
    // The digits of value * 10^Decimals, rounded to a whole number.
    std::string digits;
    if (exponent >= 0) {
        digits = std::to_string(scaled);
        for (int i = 0; i < exponent; ++i) {
            decimal_text::Double(digits);
        }
    } else {
        const int shift = -exponent;
        std::uint64_t whole = 0;
        // From 64 places on, scaled (below 2^63) is under half of one: it rounds to 0.
        if (shift < 64) {
            whole = scaled >> shift;
            const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
            const std::uint64_t half = std::uint64_t{1} << (shift - 1);
            if (rest > half || (rest == half && (whole & 1) != 0)) {
                ++whole;
            }
        }
        digits = std::to_string(whole);
    }
    constexpr auto kDecimals = static_cast<std::size_t>(Decimals);
    if (digits.size() <= kDecimals) {
        digits.insert(0, kDecimals + 1 - digits.size(), '0');
    }
    if (kDecimals > 0) {
        digits.insert(digits.size() - kDecimals, ".");
    }
    return sign + digits;
}

}  // namespace base
