// The profile format and the JSON writer: what people may write in a profile, what
// they may not, and JSON that any parser reads whatever bytes device names hold.
#include <gtest/gtest.h>

#include "platform/sim/SimMachine.h"

#include "cli/JsonWriter.h"
#include "cli/Profile.h"

namespace {

TEST(Profile, ReadsWhatPeopleWriteAndWritesWhatItReads) {
    const cli::Profile profile = cli::ParseProfile(
        "\xEF\xBB\xBF"
        "# my lab mice\r\n"
        "  version=1  \r\n"
        "; models first\n"
        "[Device]\n"
        "hardware-id = USB\\VID_046D&PID_C08B \n"
        "filter = ON\n"
        "\n"
        "[device]\n"
        "instance-id=USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000\n"
        "description = a = b\n"
        "rate = default\n");
    ASSERT_EQ(profile.entries.size(), 2u);
    EXPECT_EQ(profile.entries[0].hardwareId, "USB\\VID_046D&PID_C08B");
    EXPECT_EQ(profile.entries[0].filter, true);
    EXPECT_FALSE(profile.entries[0].rate.has_value());
    EXPECT_EQ(profile.entries[1].description, "a = b");
    EXPECT_EQ(profile.entries[1].rate, 0);
    EXPECT_FALSE(profile.entries[1].filter.has_value());

    const cli::Profile again = cli::ParseProfile(cli::FormatProfile(profile));
    ASSERT_EQ(again.entries.size(), 2u);
    EXPECT_EQ(again.entries[1].instanceId, profile.entries[1].instanceId);
    EXPECT_EQ(again.entries[1].rate, 0);
}

TEST(Profile, UnderstandsUtf16FromWindowsPowerShellRedirection) {
    const std::string narrow = "version = 1\r\n[device]\r\nhardware-id = H\r\nrate = 125\r\n";
    std::string wide = "\xFF\xFE";
    for (const char c : narrow) {
        wide += c;
        wide += '\0';
    }
    const cli::Profile profile = cli::ParseProfile(wide);
    ASSERT_EQ(profile.entries.size(), 1u);
    EXPECT_EQ(profile.entries[0].rate, 4);
    EXPECT_THROW(cli::ParseProfile(wide + "\x01"), cli::ProfileError);
    EXPECT_THROW(cli::ParseProfile(wide + "\x30\x04"), cli::ProfileError);
}

TEST(Profile, ALineBreakInADescriptionCannotStartANewSetting) {
    cli::Profile profile;
    profile.entries.push_back({"A\\1", "", "name\nfilter = off", true, std::nullopt});
    const cli::Profile again = cli::ParseProfile(cli::FormatProfile(profile));
    ASSERT_EQ(again.entries.size(), 1u);
    EXPECT_EQ(again.entries[0].filter, true);
    EXPECT_EQ(again.entries[0].description, "name filter = off");
}

TEST(Profile, RefusesWhatItCannotReadNamingTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no \"version = 1\""},
        {"version = 2\n", "line 1: unsupported profile version"},
        {"version = 1\nfilter = on\n", "line 2: \"filter\" outside a [device] section"},
        {"version = 1\n[mouse]\n", "line 2: unknown section"},
        {"version = 1\n[device]\ninstance-id =\n", "line 3: instance-id is empty"},
        {"version = 1\n[device]\nhardware-id = X\nfilter = maybe\n", "line 4: filter must be"},
        {"version = 1\n[device]\nhardware-id = X\nspeed = 9\n", "line 4: unknown name"},
        {"version = 1\n[device]\nhardware-id = X\n", "needs filter or rate"},
        {"version = 1\n[device]\nrate = 31\n[device]\n", "line 4: a [device] section needs"},
        {std::string(cli::kProfileMaxBytes + 1, '#'), "larger than 1 MiB"},
    };
    for (const auto& [text, message] : cases) {
        try {
            cli::ParseProfile(text);
            ADD_FAILURE() << "accepted: " << text.substr(0, 60);
        } catch (const cli::ProfileError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST(JsonWriter, EscapesEveryByteThatIsNoPrintableAscii) {
    cli::JsonWriter json;
    json.BeginObject().Key("a\"b").String(std::string("q\"\\\n\x01\x7F\xAE\0", 8));
    json.Key("list").BeginArray().Bool(true).Number(-3).Null().BeginObject().EndObject();
    json.EndArray().EndObject();
    EXPECT_EQ(json.Text(),
              "{\"a\\\"b\":\"q\\\"\\\\\\u000a\\u0001\\u007f\\u00ae\\u0000\","
              "\"list\":[true,-3,null,{}]}");
}

TEST(JsonWriter, EscapesTheCharactersOfTheAnsiCodePageNotItsBytes) {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    // Windows-1252's 0x80 is the euro sign and 0x93/0x94 quotation marks, not the
    // Latin-1 control characters that escaping the bytes would name.
    cli::JsonWriter json;
    json.String("\x80 \x93Maus\x94 \xE9");
    EXPECT_EQ(json.Text(), "\"\\u20ac \\u201cMaus\\u201d \\u00e9\"");
    EXPECT_EQ(machine.CountCalls("MultiByteToWideChar"), 2u);
}

}  // namespace
