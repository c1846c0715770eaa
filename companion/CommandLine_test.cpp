#include "companion/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Kind = CompanionCommand::Kind;

::testing::AssertionResult Parses(const std::string& line, Kind kind, const std::string& argument) {
    const auto command = ParseCompanionCommand(line);
    if (!command) {
        return ::testing::AssertionFailure() << "\"" << line << "\" was rejected";
    }
    if (command->kind != kind || command->argument != argument) {
        return ::testing::AssertionFailure()
               << "\"" << line << "\" gave \"" << command->argument << "\"";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(CompanionCommandLine, ReadsBothFormsWithAnyRunOfBlanks) {
    EXPECT_TRUE(Parses("U USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1", Kind::Restart,
                       "USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1"));
    EXPECT_TRUE(Parses("  U \t HID\\X\\1&2  ", Kind::Restart, "HID\\X\\1&2"));
    EXPECT_TRUE(Parses("e install quorvin.inf", Kind::Install, "quorvin.inf"));
    EXPECT_TRUE(Parses("e   install\tC:\\Driver Files\\quorvin.inf ", Kind::Install,
                       "C:\\Driver Files\\quorvin.inf"));
    EXPECT_TRUE(Parses("e install \"C:\\Driver Files\\quorvin.inf\"", Kind::Install,
                       "C:\\Driver Files\\quorvin.inf"));
}

TEST(CompanionCommandLine, RejectsEverythingElse) {
    for (const char* line : {"", "   ", "U", "U   ", "u X\\1", "E install a.inf", "e", "e install",
                             "e install  ", "e install \"\"", "e uninstall a.inf", "e installa.inf",
                             "einstall a.inf", "UX\\1", "X U a", "e Install a.inf"}) {
        EXPECT_FALSE(ParseCompanionCommand(line).has_value()) << "\"" << line << "\"";
    }
}

TEST(CompanionCommandLine, DropsTheProgramNameAsWindowsWritesIt) {
    EXPECT_EQ(CommandLineArguments("kevra64.exe U A\\B\\1"), "U A\\B\\1");
    EXPECT_EQ(CommandLineArguments("\"C:\\Program Files\\q\\kevra64.exe\"  e install quorvin.inf"),
              "e install quorvin.inf");
    EXPECT_EQ(CommandLineArguments("\"C:\\a b\\kevra64.exe\"U x"), "U x");
    EXPECT_EQ(CommandLineArguments("kevra64.exe"), "");
    EXPECT_EQ(CommandLineArguments("\"C:\\unterminated kevra64.exe U x"), "");
    EXPECT_EQ(CommandLineArguments("kevra64.exe\tU x"), "U x");
}
