// Case folding of instance IDs: the hash that finds devices and the comparison that
// confirms them fold eight characters at a time, so every byte value is checked in the
// word part and in the tail.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/sim/SimText.h"

namespace {

char Folded(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

TEST(SimText, HashAndComparisonFoldExactlyTheAsciiLettersInEveryPosition) {
    const std::string base = "USB\\VID_1A2C&PID_4C5E\\6";  // 24 bytes: three words
    for (const std::size_t length : {base.size(), base.size() - 3}) {
        for (std::size_t at = 0; at < length; at += 5) {
            for (int value = 0; value < 256; ++value) {
                const char c = static_cast<char>(value);
                std::string text = base.substr(0, length);
                std::string upper = text;
                text[at] = c;
                upper[at] = Folded(c);
                EXPECT_EQ(sim::HashNoCase(text), sim::HashNoCase(upper)) << value << " at " << at;
                EXPECT_TRUE(sim::EqualNoCase(text, upper)) << value << " at " << at;
                // A byte that is no letter keeps its case bit: '@' and '`', '[' and '{',
                // 0xC9 and 0xE9 stay apart.
                const char other = static_cast<char>(value ^ 0x20);
                if (Folded(c) == c && Folded(other) == other) {
                    std::string flipped = text;
                    flipped[at] = other;
                    EXPECT_NE(sim::HashNoCase(text), sim::HashNoCase(flipped))
                        << value << " at " << at;
                    EXPECT_FALSE(sim::EqualNoCase(text, flipped));
                }
            }
        }
    }
}

TEST(SimText, HashTellsLengthsAndPositionsApart) {
    using namespace std::string_view_literals;
    EXPECT_NE(sim::HashNoCase(""sv), sim::HashNoCase("\0"sv));
    EXPECT_NE(sim::HashNoCase("USB\\A"sv), sim::HashNoCase("USB\\A\0"sv));
    EXPECT_NE(sim::HashNoCase("USB\\VID_1\\2"), sim::HashNoCase("USB\\VID_2\\1"));
    EXPECT_NE(sim::HashNoCase("ABCDEFGH12345678"), sim::HashNoCase("12345678ABCDEFGH"));
}

}  // namespace
