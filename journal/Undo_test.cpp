// The time a recorded change carries: the system time, every field zero-padded.
#include "journal/Undo.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "journal/JournalStore.h"
#include "platform/sim/SimDisk.h"

TEST(UndoRecord, ARecordedChangeCarriesTheSystemTimeInFixedWidthFields) {
    ConfigBench bench;
    const auto device = bench.Open(ConfigBench::kInterface);
    const PlannedChange change{
        DeviceSetting::Rate, {}, {StoredSetting::State::Present, {8, 0, 0, 0}}};
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
