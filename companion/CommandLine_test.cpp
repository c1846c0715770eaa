#include "companion/CommandLine.h"

#include <gtest/gtest.h>

namespace companion {

TEST(CompanionCommandLine, ReadsBothFormsWithAnyRunOfBlanks) {
    using Kind = CompanionCommand::Kind;
    const std::tuple<const char*, Kind, const char*> cases[] = {
        {"U USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1", Kind::Restart,
         "USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1"},
        {"  U \t HID\\X\\1&2  ", Kind::Restart, "HID\\X\\1&2"},
        {"e install quorvin.inf", Kind::Install, "quorvin.inf"},
        {"e   install\tC:\\Driver Files\\q.inf ", Kind::Install, "C:\\Driver Files\\q.inf"},
        {"e install \"C:\\Driver Files\\q.inf\"", Kind::Install, "C:\\Driver Files\\q.inf"}};
    for (const auto& [line, kind, argument] : cases) {
        const auto command = ParseCompanionCommand(line);
        ASSERT_TRUE(command) << line;
        EXPECT_EQ(command->kind, kind) << line;
        EXPECT_EQ(command->argument, argument) << line;
    }
    for (const char* line : {"U   ", "E install a.inf", "e install  ", "e install \"\"",
                             "e installa.inf", "einstall a.inf", "UX\\1", "e Install a.inf"}) {
        EXPECT_FALSE(ParseCompanionCommand(line)) << line;
    }
}

TEST(CompanionCommandLine, DropsTheProgramNameAsWindowsWritesIt) {
    EXPECT_EQ(CommandLineArguments("kevra64.exe U A\\B\\1"), "U A\\B\\1");
    EXPECT_EQ(CommandLineArguments("\"C:\\Program Files\\kevra64.exe\"  e install q.inf"),
              "e install q.inf");
    EXPECT_EQ(CommandLineArguments("\"C:\\a b\\kevra64.exe\"U x"), "U x");
    EXPECT_EQ(CommandLineArguments("kevra64.exe\tU x"), "U x");
    EXPECT_EQ(CommandLineArguments("kevra64.exe"), "");
    EXPECT_EQ(CommandLineArguments("\"C:\\unterminated kevra64.exe U x"), "");
}

}  // namespace companion
