#include "companion/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/sim/SimNames.h"

namespace companion {

namespace {

// The command line as Windows hands it over, in UTF-16, from UTF-8 text.
restart::WideString W(const std::string& text) {
    return sim::Utf16(text);
}

}  // namespace

TEST(CompanionCommandLine, ReadsBothFormsWithAnyRunOfBlanks) {
    using Kind = CompanionCommand::Kind;
    const std::tuple<const char*, Kind, const char*> cases[] = {
        {"U USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1", Kind::Restart,
         "USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1"},
        {"  U \t HID\\X\\1&2  ", Kind::Restart, "HID\\X\\1&2"},
        {"e install quorvin.inf", Kind::Install, "quorvin.inf"},
        {"e   install\tC:\\Driver Files\\q.inf ", Kind::Install, "C:\\Driver Files\\q.inf"},
        {"e install \"C:\\Driver Files\\q.inf\"", Kind::Install, "C:\\Driver Files\\q.inf"},
        {"e install \"C:\\Users\\Пользователь\\q.inf\"", Kind::Install,
         "C:\\Users\\Пользователь\\q.inf"}};
    for (const auto& [line, kind, argument] : cases) {
        const auto command = ParseCompanionCommand(W(line));
        ASSERT_TRUE(command) << line;
        EXPECT_EQ(command->kind, kind) << line;
        EXPECT_EQ(command->argument, W(argument)) << line;
    }
    for (const char* line :
         {"U   ", "E install a.inf", "e install  ", "e install \"\"", "e installa.inf",
          "einstall a.inf", "UX\\1", "e Install a.inf", "Ü x", "e іnstall a.inf"}) {
        EXPECT_FALSE(ParseCompanionCommand(W(line))) << line;
    }
}

TEST(CompanionCommandLine, DropsTheProgramNameAsWindowsWritesIt) {
    EXPECT_EQ(CommandLineArguments(W("kevra64.exe U A\\B\\1")), W("U A\\B\\1"));
    EXPECT_EQ(CommandLineArguments(W("\"C:\\Program Files\\kevra64.exe\"  e install q.inf")),
              W("e install q.inf"));
    EXPECT_EQ(CommandLineArguments(W("\"C:\\Загрузки\\kevra64.exe\"U x")), W("U x"));
    EXPECT_EQ(CommandLineArguments(W("kevra64.exe\tU x")), W("U x"));
    EXPECT_EQ(CommandLineArguments(W("kevra64.exe")), W(""));
    EXPECT_EQ(CommandLineArguments(W("\"C:\\unterminated kevra64.exe U x")), W(""));
}

TEST(CompanionCommandLine, TheQuietSwitchIsOnlyALeadingSlashQ) {
    restart::WideString line = W(" /q  U x");
    EXPECT_TRUE(TakeQuietSwitch(line));
    EXPECT_EQ(line, W("U x"));
    for (const char* other : {"U /q", "/Q U x", "/qU x", "-q U x"}) {
        line = W(other);
        EXPECT_FALSE(TakeQuietSwitch(line)) << other;
        EXPECT_EQ(line, W(other));
    }
}

}  // namespace companion
