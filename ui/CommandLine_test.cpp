// The platform's command-line splitting and the "/ALL" switch.
#include "ui/CommandLine.h"

#include <gtest/gtest.h>

namespace ui {

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsThePlatformRules) {
    EXPECT_EQ(SplitCommandLine("prog a  b\tc"), (Args{"prog", "a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\q.exe\" x"),
              (Args{"C:\\Program Files\\q.exe", "x"}));
    EXPECT_EQ(SplitCommandLine("p \"a b\" \"\""), (Args{"p", "a b", ""}));
    EXPECT_EQ(SplitCommandLine("p a\\\\\"b c\""), (Args{"p", "a\\b c"}));  // 2n: n and a group
    EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Args{"p", "a\"b"}));          // 2n+1: literal quote
    EXPECT_EQ(SplitCommandLine("p a\\b\\\\"), (Args{"p", "a\\b\\\\"}));    // no quote: kept
    EXPECT_EQ(SplitCommandLine("p \"a\"\"b\""), (Args{"p", "a\"b"}));
    EXPECT_EQ(SplitCommandLine("prog"), (Args{"prog"}));
    EXPECT_EQ(SplitCommandLine("prog   "), (Args{"prog"}));
}

TEST(AllDevicesSwitch, FirstArgumentInAnyLetterCaseQuotedOrNot) {
    for (const char* line : {"q.exe /ALL", "q.exe /all", "q.exe /aLl x", "q.exe \"/All\"",
                             "\"q 1.exe\" /ALL", "q.exe /\"ALL\""}) {
        EXPECT_TRUE(IsAllDevicesSwitch(FirstArgument(line))) << line;
    }
    for (const char* line : {"q.exe", "q.exe x /ALL", "q.exe -ALL", "q.exe ALL", "q.exe /ALLX",
                             "q.exe /ALL.", "q.exe \"/ALL \"", "q.exe /\xC0LL"}) {
        EXPECT_FALSE(IsAllDevicesSwitch(FirstArgument(line))) << line;
    }
}

}  // namespace

}  // namespace ui
