#include "config/Rate.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"

using namespace std::string_literals;

namespace {

class PollingRate : public ::testing::Test {
  protected:
    static constexpr const char* kId = ConfigBench::kInterface;

    ConfigBench bench;
    std::unique_ptr<TDevice> device = bench.Open(kId);

    void TearDown() override {
        EXPECT_EQ(bench.machine.OpenKeyCount(), 0u) << "a key was left open";
    }

    void Store(DWORD type, const std::string& bytes) {
        bench.machine.Key(kId, DIREG_DRV)["bInterval"] = sim::RegValue{type, bytes};
        bench.machine.ClearCalls();
    }
    void StoreNumber(std::uint32_t number) {
        Store(REG_DWORD,
              std::string{static_cast<char>(number), static_cast<char>(number >> 8),
                          static_cast<char>(number >> 16), static_cast<char>(number >> 24)});
    }
    std::optional<sim::RegValue> Stored() { return bench.KeyValue(kId, DIREG_DRV, "bInterval"); }
};

std::string DwordBytes(std::uint32_t number) {
    return {static_cast<char>(number), static_cast<char>(number >> 8),
            static_cast<char>(number >> 16), static_cast<char>(number >> 24)};
}

}  // namespace

TEST(RateTables, NameEveryIndexByItsPollsPerSecond) {
    for (int index = 1; index < kRateCount; ++index) {
        EXPECT_EQ(std::to_string(1000 / RateTable[index]), RateNames[index]) << index;
    }
    EXPECT_STREQ(RateNames[0], "Default");
    EXPECT_EQ(RateTable[0], 0u);
}

TEST_F(PollingRate, StoredNumberMapsToTheFirstTableEntryAtOrAboveIt) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 0},    {1, 1},          {2, 2},          {3, 3},          {4, 3},  {5, 4},
        {8, 4},    {9, 5},          {16, 5},         {17, 6},         {32, 6}, {33, 6},
        {1000, 6}, {0x7FFFFFFF, 6}, {0x80000000, 6}, {4294967295u, 6}};
    for (const auto& [number, index] : cases) {
        StoreNumber(number);
        EXPECT_EQ(ReadRateIndex(*device), index) << "stored " << number;
        EXPECT_EQ(Stored()->data, DwordBytes(number)) << "reading changes nothing";
    }
}

TEST_F(PollingRate, AbsentValueOrMissingDriverKeyIsDefault) {
    EXPECT_EQ(ReadRateIndex(*device), 0);

    auto bare = bench.Open(ConfigBench::kBare);
    EXPECT_EQ(ReadRateIndex(*bare), 0);
    WriteRateIndex(*bare, 3);
    EXPECT_FALSE(bench.machine.HasKey(ConfigBench::kBare, DIREG_DRV)) << "no key is created";
    EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 0u) << "a key never opened is not closed";
}

TEST_F(PollingRate, AnyFourByteValueCountsWhateverItsType) {
    Store(REG_BINARY, "\x08\x00\x00\x00"s);
    EXPECT_EQ(ReadRateIndex(*device), 4);
    // One digit and its terminator: two bytes, no usable number.
    Store(REG_SZ, "2\0"s);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    Store(REG_SZ, "16\0"s);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    // Longer than four bytes: the query does not fit, no usable number.
    Store(REG_BINARY, "\x02\x00\x00\x00\x00\x00\x00\x00"s);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    Store(REG_DWORD, "\x02\x00\x00"s);
    EXPECT_EQ(ReadRateIndex(*device), 0);
}

TEST_F(PollingRate, IndexesAboveTheTableStoreTheSlowestRate) {
    for (std::uint32_t index : {7u, 0xFFFFFFFFu, 0x80000000u}) {
        Store(REG_DWORD, DwordBytes(1));
        WriteRateIndex(*device, index);
        ASSERT_TRUE(Stored()) << index;
        EXPECT_EQ(Stored()->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(Stored()->data, DwordBytes(32)) << index;
    }
}

TEST_F(PollingRate, IndexZeroDeletesTheValueAndNeverStoresZero) {
    StoreNumber(0);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    WriteRateIndex(*device, 0);
    EXPECT_FALSE(Stored());
    EXPECT_EQ(bench.machine.CountCalls("RegDeleteValueA"), 1u);
    EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    // Deleting an absent value is harmless.
    WriteRateIndex(*device, 0);
    EXPECT_FALSE(Stored());
}

TEST_F(PollingRate, EveryIndexReadsBackAsWritten) {
    for (std::uint32_t index = 0; index < kRateCount; ++index) {
        WriteRateIndex(*device, index);
        EXPECT_EQ(ReadRateIndex(*device), static_cast<int>(index));
        if (index > 0) {
            EXPECT_EQ(Stored()->data, DwordBytes(RateTable[index]));
            EXPECT_EQ(Stored()->type, static_cast<DWORD>(REG_DWORD));
        }
    }
}

TEST_F(PollingRate, UnlistedNumberStaysUntilARateIsWritten) {
    StoreNumber(3);
    EXPECT_EQ(ReadRateIndex(*device), 3);
    EXPECT_STREQ(RateNames[ReadRateIndex(*device)], "250");
    EXPECT_EQ(Stored()->data, DwordBytes(3));
    WriteRateIndex(*device, 3);
    EXPECT_EQ(Stored()->data, DwordBytes(4));
}

TEST_F(PollingRate, ParentKeepsItsOwnRate) {
    TDevice& parent = device->GetParentDevice();
    WriteRateIndex(parent, 2);
    EXPECT_EQ(ReadRateIndex(parent), 2);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    EXPECT_FALSE(Stored());
    EXPECT_EQ(bench.KeyValue(ConfigBench::kComposite, DIREG_DRV, "bInterval")->data, DwordBytes(2));
}

TEST_F(PollingRate, DriverKeyIsOpenedWithFullAccessAndQueriedForFourBytes) {
    ReadRateIndex(*device);
    WriteRateIndex(*device, 6);
    WriteRateIndex(*device, 0);
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDevRegKey"),
              std::vector<std::string>(3, "scope=0x1 profile=0 key=0x2 access=0xF003F"));
    EXPECT_EQ(bench.ArgsOf("RegQueryValueExA"), std::vector<std::string>{"name=bInterval size=4"});
    EXPECT_EQ(bench.ArgsOf("RegSetValueExA"),
              std::vector<std::string>{"name=bInterval reserved=0 type=4 size=4 data=20000000"});
    EXPECT_EQ(bench.ArgsOf("RegDeleteValueA"), std::vector<std::string>{"name=bInterval"});
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 3u);
}
