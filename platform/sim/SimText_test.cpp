// Case folding of instance IDs and value names: exactly the ASCII letters fold, every
// byte value checked in several positions.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/SimText.h"

namespace {

char Folded(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

TEST(SimText, ComparisonFoldsExactlyTheAsciiLettersInEveryPosition) {
    const std::string base = "USB\\VID_1A2C&PID_4C5E\\6";
    for (const std::size_t length : {base.size(), base.size() - 3}) {
        for (std::size_t at = 0; at < length; at += 5) {
            for (int value = 0; value < 256; ++value) {
                const char c = static_cast<char>(value);
                std::string text = base.substr(0, length);
                std::string upper = text;
                text[at] = c;
                upper[at] = Folded(c);
                EXPECT_TRUE(sim::EqualNoCase(text, upper)) << value << " at " << at;
                // A byte that is no letter keeps its case bit: '@' and '`', '[' and '{',
                // 0xC9 and 0xE9 stay apart.
                const char other = static_cast<char>(value ^ 0x20);
                if (Folded(c) == c && Folded(other) == other) {
                    std::string flipped = text;
                    flipped[at] = other;
                    EXPECT_FALSE(sim::EqualNoCase(text, flipped));
                }
            }
        }
    }
}

}  // namespace
