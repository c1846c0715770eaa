#include "config/FilterListText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FilterListText, SplitsAtEveryKindOfBreakAndDropsTrailingEmptyEntries) {
    // letter NUL letter NUL NUL: two entries, the empty third one dropped.
    EXPECT_EQ(SplitLowerFilterText("a\0b\0\0"s), (TLowerFilterList{"a", "b"}));
    // CR, LF and CR LF are one break each; LF CR is two.
    EXPECT_EQ(SplitLowerFilterText("a\rb\nc\r\nd"s), (TLowerFilterList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLowerFilterText("a\n\rb"s), (TLowerFilterList{"a", "", "b"}));
    // A NUL followed by LF is a CR LF after the conversion: one break.
    EXPECT_EQ(SplitLowerFilterText("a\0\nb\0\0"s), (TLowerFilterList{"a", "b"}));
    // Text after the last break is an entry only when it is not empty.
    EXPECT_EQ(SplitLowerFilterText("quorvin.sys"s), (TLowerFilterList{"quorvin.sys"}));
    EXPECT_EQ(SplitLowerFilterText("x\0quorvin.sys"s), (TLowerFilterList{"x", "quorvin.sys"}));
}

TEST(FilterListText, KeepsInnerEmptyEntriesButNothingOfAnEmptyText) {
    EXPECT_TRUE(SplitLowerFilterText(""s).empty());
    EXPECT_TRUE(SplitLowerFilterText("\0\0"s).empty());
    EXPECT_TRUE(SplitLowerFilterText("\0\0\0\0\0"s).empty());
    EXPECT_EQ(SplitLowerFilterText("\0quorvin\0\0"s), (TLowerFilterList{"", "quorvin"}));
    EXPECT_EQ(SplitLowerFilterText("a\0\0\0b\0\0\0"s), (TLowerFilterList{"a", "", "", "b"}));
    // Blanks are bytes like any other.
    EXPECT_EQ(SplitLowerFilterText(" quorvin \0\0"s), (TLowerFilterList{" quorvin "}));
}

TEST(FilterListText, JoinsEachEntryWithItsNulAndOneMore) {
    EXPECT_EQ(JoinLowerFilterList({}), ""s);
    EXPECT_EQ(JoinLowerFilterList({"quorvin"}), "quorvin\0\0"s);
    EXPECT_EQ(JoinLowerFilterList({"", "a", "bc"}), "\0a\0bc\0\0"s);
    // Whatever the join writes splits back into the same list.
    const TLowerFilterList list{"quorvin", "", "kbdhid", "x y"};
    EXPECT_EQ(SplitLowerFilterText(JoinLowerFilterList(list)), list);
}

TEST(FilterListText, RemovesOnlyTheEmptyEntriesAtTheEnd) {
    TLowerFilterList list{"", "a", "", ""};
    RemoveTrailingEmptyEntries(list);
    EXPECT_EQ(list, (TLowerFilterList{"", "a"}));
    TLowerFilterList empties{"", ""};
    RemoveTrailingEmptyEntries(empties);
    EXPECT_TRUE(empties.empty());
}

TEST(FilterListText, MatchesTheNameInAnyAsciiCaseWithoutTrimming) {
    EXPECT_TRUE(IsFilterEntry("quorvin", "quorvin"));
    EXPECT_TRUE(IsFilterEntry("QUORVIN", "quorvin"));
    EXPECT_TRUE(IsFilterEntry("QuOrViN.SyS", "quorvin.sys"));
    EXPECT_FALSE(IsFilterEntry(" quorvin", "quorvin"));
    EXPECT_FALSE(IsFilterEntry("quorvin ", "quorvin"));
    EXPECT_FALSE(IsFilterEntry("quorvin.sys", "quorvin"));
    EXPECT_FALSE(IsFilterEntry("quorvin", "quorvin.sys"));
    EXPECT_FALSE(IsFilterEntry("quorvi", "quorvin"));
    EXPECT_FALSE(IsFilterEntry("", "quorvin"));
    // Only A to Z fold: bytes just past 'Z' or above 0x7F never become letters.
    EXPECT_FALSE(IsFilterEntry("quorvi[", "quorvin"));
    EXPECT_FALSE(IsFilterEntry("quorvi\xCE", "quorvi\xEE"));
}
