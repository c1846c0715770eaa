#include "config/Rate.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"

namespace config {

using namespace std::string_literals;

namespace {

std::string Dword(std::uint32_t n) {
    return {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
}

class PollingRate : public ::testing::Test {
  protected:
    ConfigBench bench;
    std::unique_ptr<device::TDevice> device = bench.Open(ConfigBench::kInterface);

    void TearDown() override { EXPECT_EQ(bench.machine.OpenKeyCount(), 0u); }
    void Store(DWORD type, const std::string& bytes) {
        bench.machine.Key(ConfigBench::kInterface, DIREG_DRV)["bInterval"] =
            sim::RegValue{type, bytes};
    }
    std::optional<sim::RegValue> Stored() {
        return bench.KeyValue(ConfigBench::kInterface, DIREG_DRV, "bInterval");
    }
};

}  // namespace

TEST_F(PollingRate, StoredNumberMapsToTheFirstTableEntryAtOrAboveIt) {
    EXPECT_EQ(ReadRateIndex(*device), 0) << "absent";
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 0},  {1, 1},  {2, 2},  {3, 3},  {4, 3},    {5, 4},           {8, 4},          {9, 5},
        {16, 5}, {17, 6}, {32, 6}, {33, 6}, {1000, 6}, {0x80000000u, 6}, {4294967295u, 6}};
    for (const auto& [number, index] : cases) {
        Store(REG_DWORD, Dword(number));
        EXPECT_EQ(ReadRateIndex(*device), index) << number;
        EXPECT_EQ(Stored()->data, Dword(number)) << "reading changes nothing";
    }
    EXPECT_STREQ(RateNames[3], "250");
}

TEST_F(PollingRate, AnyFourByteValueCountsWhateverItsType) {
    const std::pair<sim::RegValue, int> cases[] = {
        {{REG_BINARY, "\x08\0\0\0"s}, 4},
        {{REG_SZ, "2\0"s}, 0},
        {{REG_BINARY, "\x02\0\0\0\0\0\0\0"s}, 0},  // too long for the query
        {{REG_DWORD, "\x02\0\0"s}, 0}};
    for (const auto& [value, index] : cases) {
        Store(value.type, value.data);
        EXPECT_EQ(ReadRateIndex(*device), index) << value.data.size();
    }
}

TEST_F(PollingRate, EveryIndexReadsBackAsWrittenAndZeroDeletes) {
    for (std::uint32_t index : {1u, 2u, 3u, 4u, 5u, 6u, 0u}) {
        WriteRateIndex(*device, index);
        EXPECT_EQ(ReadRateIndex(*device), static_cast<int>(index));
        if (index != 0) {
            EXPECT_EQ(Stored()->data, Dword(RateTable[index]));
        }
    }
    EXPECT_FALSE(Stored()) << "no 0 is ever stored";
    for (std::uint32_t index : {7u, 0xFFFFFFFFu}) {
        WriteRateIndex(*device, index);
        EXPECT_EQ(Stored()->data, Dword(32)) << index;
    }
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDevRegKey"),
              std::vector<std::string>(16, "scope=0x1 profile=0 key=0x2 access=0xF003F"));
    EXPECT_EQ(bench.ArgsOf("RegQueryValueExA")[0], "name=bInterval size=4");
    EXPECT_EQ(bench.ArgsOf("RegSetValueExA").back(),
              "name=bInterval reserved=0 type=4 size=4 data=20000000");
    EXPECT_EQ(bench.ArgsOf("RegDeleteValueA"), std::vector<std::string>{"name=bInterval"});
}

TEST_F(PollingRate, MissingDriverKeyIsDefaultAndIsNotCreated) {
    auto bare = bench.Open(ConfigBench::kBare);
    EXPECT_EQ(ReadRateIndex(*bare), 0);
    WriteRateIndex(*bare, 3);
    EXPECT_FALSE(bench.machine.HasKey(ConfigBench::kBare, DIREG_DRV));
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 0u);
}

TEST_F(PollingRate, ParentKeepsItsOwnRate) {
    device::TDevice& parent = device->GetParentDevice();
    WriteRateIndex(parent, 2);
    EXPECT_EQ(ReadRateIndex(parent), 2);
    EXPECT_EQ(ReadRateIndex(*device), 0);
    EXPECT_EQ(bench.KeyValue(ConfigBench::kComposite, DIREG_DRV, "bInterval")->data, Dword(2));
}

}  // namespace config
