// The journal's text: what it keeps through a round trip, and the damage it refuses.
#include <gtest/gtest.h>

#include "journal/JournalText.h"

namespace journal {

namespace {

JournalEntry Entry(std::string id, config::DeviceSetting setting, config::StoredSetting before,
                   config::StoredSetting after) {
    JournalEntry entry;
    entry.time = "2026-03-14 09:30:05 UTC";
    entry.instanceId = std::move(id);
    entry.hardwareId = "USB\\VID_1&PID_2&REV_0100";
    entry.change = {setting, std::move(before), std::move(after)};
    return entry;
}

const config::StoredSetting kAbsent{config::StoredSetting::State::Absent, {}};
config::StoredSetting Present(std::string bytes) {
    return {config::StoredSetting::State::Present, std::move(bytes)};
}

void ExpectSame(const Journal& a, const Journal& b) {
    ASSERT_EQ(a.entries.size(), b.entries.size());
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        EXPECT_EQ(a.entries[i].time, b.entries[i].time);
        EXPECT_EQ(a.entries[i].instanceId, b.entries[i].instanceId);
        EXPECT_EQ(a.entries[i].hardwareId, b.entries[i].hardwareId);
        EXPECT_EQ(a.entries[i].change.setting, b.entries[i].change.setting);
        EXPECT_EQ(a.entries[i].change.before, b.entries[i].change.before);
        EXPECT_EQ(a.entries[i].change.after, b.entries[i].change.after);
    }
}

TEST(JournalText, KeepsEveryByteOfIdsAndListsAndReadsAsText) {
    Journal journal;
    // An ID with a quote, a line break and a blank must not add a line or a field.
    journal.entries.push_back(Entry(
        std::string("USB\\A\"B\r\nend\n C%\0", 17), config::DeviceSetting::LowerFilters,
        Present(std::string("mfltx\0\0", 7)), Present(std::string("quorvin\0mfltx\0\0", 15))));
    journal.entries.push_back(Entry("USB\\VID_1&PID_2\\5&1", config::DeviceSetting::Rate, kAbsent,
                                    Present({8, 0, 0, 0})));
    journal.entries.back().hardwareId.clear();
    journal.entries.push_back(Entry("USB\\X", config::DeviceSetting::Rate,
                                    {config::StoredSetting::State::Unknown, {}}, kAbsent));

    const std::string text = FormatJournal(journal);
    EXPECT_NE(text.find("after = quorvin%00mfltx%00%00\r\n"), std::string::npos);
    EXPECT_NE(text.find("before none\r\nafter = 8\r\n"), std::string::npos);
    EXPECT_NE(text.find("device USB\\A\"B%0D%0Aend%0A%20C%25%00\r\n"), std::string::npos);
    const ParsedJournal parsed = ParseJournal(text);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ExpectSame(parsed.journal, journal);
    EXPECT_EQ(FormatJournal(parsed.journal), text);
}

TEST(JournalText, AcceptsLineFeedsCommentsAndAnEmptyJournal) {
    EXPECT_TRUE(ParseJournal("QUORVIN Setup undo journal 1\n# nothing yet\n\n").ok);
    EXPECT_TRUE(ParseJournal("QUORVIN Setup undo journal 1").ok);
}

struct Damage {
    const char* what;
    std::string text;
    std::string error;
};

TEST(JournalText, RefusesDamageAndNamesTheLine) {
    const std::string head = "QUORVIN Setup undo journal 1\n";
    const std::string good =
        "change\ntime 2026-03-14 09:30:05 UTC\ndevice USB\\X\nhardware\nsetting rate\n"
        "before none\nafter = 8\nend\n";
    ASSERT_TRUE(ParseJournal(head + good).ok);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = head + good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const Damage cases[] = {
        {"empty file", "", "line 1:"},
        {"other header", "QUORVIN Setup undo journal 2\n", "line 1:"},
        {"cut short", (head + good).substr(0, head.size() + 60), "line 6:"},
        {"no end", replaced("end\n", ""), "line 9:"},
        {"bad time", replaced("09:30:05", "9:30:05 "), "line 3:"},
        {"empty device", replaced("device USB\\X", "device"), "line 4:"},
        {"blank in id", replaced("USB\\X", "USB X"), "line 4:"},
        {"bad escape", replaced("USB\\X", "USB%G0"), "line 4:"},
        {"short escape", replaced("USB\\X", "USB%4"), "line 4:"},
        {"lower-case escape", replaced("USB\\X", "USB%4a"), "line 4:"},
        {"other setting", replaced("setting rate", "setting colour"), "line 6:"},
        {"rate too big", replaced("after = 8", "after = 4294967296"), "line 8:"},
        {"rate with sign", replaced("after = 8", "after = -8"), "line 8:"},
        {"after unknown", replaced("after = 8", "after unknown"), "line 8:"},
        {"fields swapped", replaced("before none\nafter = 8", "after = 8\nbefore none"), "line 7:"},
        {"stray line", head + "hello\n", "line 2:"},
        {"NUL in line", replaced("USB\\X", std::string("USB\0X", 5)), "line 4:"},
    };
    for (const Damage& c : cases) {
        const ParsedJournal parsed = ParseJournal(c.text);
        EXPECT_FALSE(parsed.ok) << c.what;
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.what << ": " << parsed.error;
        EXPECT_TRUE(parsed.journal.entries.empty()) << c.what;
    }
    EXPECT_FALSE(ParseJournal(head + std::string(kMaxJournalBytes, '#')).ok);
}

}  // namespace

}  // namespace journal
