#include "config/FilterListText.h"

#include <gtest/gtest.h>

namespace config {

using namespace std::string_literals;

TEST(FilterListText, SplitsAtEveryKindOfBreakAndDropsOnlyTrailingEmptyEntries) {
    const std::pair<std::string, TLowerFilterList> cases[] = {
        {"a\0b\0\0"s, {"a", "b"}},
        {"a\rb\nc\r\nd"s, {"a", "b", "c", "d"}},  // CR LF is one break, LF CR two
        {"a\n\rb"s, {"a", "", "b"}},
        {"a\0\nb\0\0"s, {"a", "b"}},  // NUL LF becomes CR LF
        {"x\0quorvin.sys"s, {"x", "quorvin.sys"}},
        {""s, {}},
        {"\0\0\0\0"s, {}},
        {"a\0\0\0b\0\0\0"s, {"a", "", "", "b"}},
        {" quorvin \0\0"s, {" quorvin "}},
    };
    for (const auto& [text, list] : cases) {
        EXPECT_EQ(SplitLowerFilterText(text), list) << text;
    }
}

TEST(FilterListText, MatchesTheNameInAnyAsciiCaseWithoutTrimming) {
    EXPECT_TRUE(IsFilterEntry("QUORVIN", "quorvin"));
    EXPECT_TRUE(IsFilterEntry("QuOrViN.SyS", "quorvin.sys"));
    for (const char* entry : {" quorvin", "quorvin ", "quorvin.sys", "quorvi", "", "quorvi["}) {
        EXPECT_FALSE(IsFilterEntry(entry, "quorvin")) << entry;
    }
    EXPECT_FALSE(IsFilterEntry("quorvin", "quorvin.sys"));
    // Only A to Z fold: bytes above 0x7F stay as they are.
    EXPECT_FALSE(IsFilterEntry("quorvi\xCE", "quorvi\xEE"));
}

}  // namespace config
