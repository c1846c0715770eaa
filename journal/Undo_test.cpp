// The time a recorded change carries: the system time, every field zero-padded.
#include "journal/Undo.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "journal/JournalLock.h"
#include "journal/JournalStore.h"
#include "platform/Platform.h"
#include "platform/sim/SimDisk.h"

namespace journal {

TEST(UndoRecord, ARecordedChangeCarriesTheSystemTimeInFixedWidthFields) {
    config::ConfigBench bench;
    const auto device = bench.Open(config::ConfigBench::kInterface);
    const config::PlannedChange change{
        config::DeviceSetting::Rate, {}, {config::StoredSetting::State::Present, {8, 0, 0, 0}}};
    bench.machine.disk().now = SYSTEMTIME{987, 1, 0, 2, 3, 4, 5, 0};
    ASSERT_EQ(RecordChange(*device, change), "");
    bench.machine.disk().now = SYSTEMTIME{2026, 12, 0, 31, 23, 59, 58, 999};
    ASSERT_EQ(RecordChange(*device, change), "");

    const LoadedJournal loaded = LoadJournal();
    ASSERT_TRUE(loaded.ok) << loaded.message;
    ASSERT_EQ(loaded.journal.entries.size(), 2u);
    EXPECT_EQ(loaded.journal.entries[0].time, "0987-01-02 03:04:05 UTC");
    EXPECT_EQ(loaded.journal.entries[1].time, "2026-12-31 23:59:58 UTC");
}

namespace {

const config::PlannedChange kToEight{
    config::DeviceSetting::Rate, {}, {config::StoredSetting::State::Present, {8, 0, 0, 0}}};
const std::string kJournalFolderPath = sim::kProgramData + "\\QUORVIN Setup";
const std::string kLockPath = kJournalFolderPath + "\\undo-journal.lock";
const std::string kJournalFilePath = kJournalFolderPath + "\\undo-journal.txt";

// Opens a file of the journal as another program would, on the current machine.
HANDLE OpenAsAnotherProgram(const std::string& path, DWORD access, DWORD share) {
    return plat::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// On XP what an administrator creates belongs to the user unless the program names an
// owner; the journal refuses files the administrators do not own, so every file it
// makes must name them.
TEST(UndoRecord, TheJournalKeepsWorkingWhereTheDefaultOwnerIsTheUser) {
    config::ConfigBench bench;
    const auto device = bench.Open(config::ConfigBench::kInterface);
    bench.machine.disk().processOwner = "S-1-5-21-1-2-3-1001";
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(RecordChange(*device, kToEight), "") << "round " << round;
    }
    EXPECT_EQ(bench.machine.disk().Get(kJournalFilePath).owner, "BA");
    EXPECT_EQ(bench.machine.disk().Get(kLockPath).owner, "BA");
    const LoadedJournal loaded = LoadJournal();
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(loaded.journal.entries.size(), 3u);
    EXPECT_EQ(UndoLastChange().left, 0);
}

// Another program holding the journal's lock makes a change wait for it, a bounded
// while; reading goes on meanwhile, and a reader holding the journal open for a moment
// does not make the save fail.
TEST(UndoRecord, AChangeWaitsForAnotherProgramsLockAndNoLonger) {
    config::ConfigBench bench;
    const auto device = bench.Open(config::ConfigBench::kInterface);
    sim::Disk& disk = bench.machine.disk();
    ASSERT_EQ(RecordChange(*device, kToEight), "");

    // The other program holds the lock until this one has slept three times.
    HANDLE other = OpenAsAnotherProgram(kLockPath, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    int sleeps = 0;
    disk.onSleep = [&] {
        if (++sleeps == 3) {
            plat::CloseHandle(other);
        }
    };
    EXPECT_TRUE(LoadJournal().ok);  // reading takes no lock
    ASSERT_EQ(RecordChange(*device, kToEight), "");
    EXPECT_EQ(sleeps, 3);
    EXPECT_EQ(LoadJournal().journal.entries.size(), 2u);

    // Held for good: the change is refused once the wait is over, and nothing written.
    other = OpenAsAnotherProgram(kLockPath, GENERIC_READ | GENERIC_WRITE, 0);
    disk.onSleep = {};
    disk.slept = 0;
    const std::string refused = RecordChange(*device, kToEight);
    EXPECT_NE(refused.find("in use by another program"), std::string::npos) << refused;
    EXPECT_GE(disk.slept, kJournalLockWaitMs);
    EXPECT_LE(disk.slept, kJournalLockWaitMs + kJournalWaitStepMs);
    EXPECT_EQ(LoadJournal().journal.entries.size(), 2u);
    plat::CloseHandle(other);

    // A reader of another program has the journal open when this one replaces it.
    HANDLE reader = OpenAsAnotherProgram(kJournalFilePath, GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    sleeps = 0;
    disk.onSleep = [&] {
        if (++sleeps == 2) {
            plat::CloseHandle(reader);
        }
    };
    ASSERT_EQ(RecordChange(*device, kToEight), "");
    EXPECT_EQ(LoadJournal().journal.entries.size(), 3u);
    EXPECT_TRUE(disk.handles.empty());
}

// Readers share the journal for deleting too; the lock is shared with nobody.
TEST(UndoRecord, ReadersShareTheJournalAndTheLockIsExclusive) {
    config::ConfigBench bench;
    const auto device = bench.Open(config::ConfigBench::kInterface);
    ASSERT_EQ(RecordChange(*device, kToEight), "");
    bench.machine.ClearCalls();
    ASSERT_TRUE(LoadJournal().ok);
    ASSERT_EQ(RecordChange(*device, kToEight), "");
    int readers = 0;
    int locks = 0;
    for (const auto& call : bench.machine.CallsOf("CreateFileA")) {
        if (call.args.find("UNDO-JOURNAL.TXT") != std::string::npos ||
            call.args.find("undo-journal.txt") != std::string::npos) {
            ++readers;
            EXPECT_NE(call.args.find("share=0x7"), std::string::npos) << call.args;
        }
        if (call.args.find("undo-journal.lock") != std::string::npos) {
            ++locks;
            EXPECT_NE(call.args.find("share=0x0 security=set"), std::string::npos) << call.args;
        }
    }
    EXPECT_EQ(readers, 3);  // status's read, the change's read and its check before saving
    EXPECT_EQ(locks, 1);
}

}  // namespace journal
