#include "config/LowerFilters.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "config/DriverPackage.h"

namespace config {

using namespace std::string_literals;

namespace {

constexpr const char* kId = ConfigBench::kInterface;
using Args = std::vector<std::string>;

// Stored lists in the table: '|' is a NUL, '@' the family's filter name, '^' the
// same in capitals but for its second letter, '~' the other family's filter name.
// "-" is no stored list, "=" the stored list untouched.
struct Case {
    const char* stored;
    DWORD type;
    bool has;
    const char* afterOn;
    const char* afterOff;
};

const Case kCases[] = {
    {"-", REG_MULTI_SZ, false, "@||", "="},
    {"||", REG_MULTI_SZ, false, "@||", "="},
    {"@|kbdclass|@||", REG_MULTI_SZ, true, "=", "kbdclass||"},
    {"^||", REG_MULTI_SZ, true, "=", "-"},
    {"kbdclass|@||", REG_MULTI_SZ, true, "=", "kbdclass||"},
    {"kbdclass||", REG_MULTI_SZ, false, "@|kbdclass||", "="},
    {"|@||", REG_MULTI_SZ, true, "=", "-"},
    {"a||b||", REG_MULTI_SZ, false, "@|a||b||", "="},
    {"~| @|@ ||", REG_MULTI_SZ, false, "@|~| @|@ ||", "="},
    {"@|", REG_SZ, true, "=", "-"},
    {"kbdclass", REG_BINARY, false, "@|kbdclass||", "="},
};

// Every lower-filter case runs on both families: the 9x family keeps the list as
// "LowerFilters" in the hardware key, the NT family as the SPDRP_LOWERFILTERS property.
class LowerFilterList : public ::testing::TestWithParam<PlatformFamily> {
  protected:
    ConfigBench bench{GetParam()};
    std::unique_ptr<device::TDevice> device = bench.Open(kId);

    void TearDown() override { EXPECT_EQ(bench.machine.OpenKeyCount(), 0u); }

    bool OnWin9x() const { return GetParam() == PlatformFamily::Win9x; }
    std::string Name() const { return FilterName(GetParam()); }
    std::string Bytes(const std::string& pattern) const {
        std::string bytes;
        for (char c : pattern) {
            if (c == '|') {
                bytes += '\0';
            } else if (c == '@' || c == '^') {
                std::string name = Name();
                for (std::size_t i = 0; c == '^' && i < name.size(); ++i) {
                    name[i] = i == 1 ? name[i] : static_cast<char>(std::toupper(name[i]));
                }
                bytes += name;
            } else if (c == '~') {
                bytes += FilterName(OnWin9x() ? PlatformFamily::NT : PlatformFamily::Win9x);
            } else {
                bytes += c;
            }
        }
        return bytes;
    }
    void Store(const std::optional<std::string>& bytes, DWORD type = REG_MULTI_SZ) {
        if (OnWin9x()) {
            auto& values = bench.machine.Key(kId, DIREG_DEV);
            bytes ? void(values["LowerFilters"] = sim::RegValue{type, *bytes})
                  : void(values.erase("LowerFilters"));
        } else if (bytes) {
            bench.machine.SetProperty(kId, SPDRP_LOWERFILTERS, type, *bytes);
        } else {
            bench.machine.RemoveProperty(kId, SPDRP_LOWERFILTERS);
        }
        bench.machine.ClearCalls();
    }
    std::optional<sim::RegValue> Stored() {
        return OnWin9x() ? bench.KeyValue(kId, DIREG_DEV, "LowerFilters")
                         : bench.machine.Property(kId, SPDRP_LOWERFILTERS);
    }
    std::string StoredBytes() { return Stored() ? Stored()->data : "-"; }
    std::size_t Writes() const {
        return bench.machine.CountCalls("RegSetValueExA") +
               bench.machine.CountCalls("RegDeleteValueA") +
               bench.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA");
    }
    std::string ReadOp() const {
        return OnWin9x() ? "RegQueryValueExA" : "SetupDiGetDeviceRegistryPropertyA";
    }
    std::optional<std::string> List(const std::string& pattern) const {
        return pattern == "-" ? std::nullopt : std::optional(Bytes(pattern));
    }
    void ExpectAfter(bool on, const Case& c) {
        Store(List(c.stored), c.type);
        SetFilter(*device, on);
        const std::string after = on ? c.afterOn : c.afterOff;
        EXPECT_EQ(Stored() ? std::optional(Stored()->data) : std::nullopt,
                  List(after == "=" ? c.stored : after))
            << c.stored << (on ? " on" : " off");
        EXPECT_EQ(Writes(), after == "=" ? 0u : 1u) << c.stored << (on ? " on" : " off");
        if (after != "=" && OnWin9x() && Stored()) {
            EXPECT_EQ(Stored()->type, static_cast<DWORD>(REG_MULTI_SZ));
        }
    }
};

}  // namespace

TEST_P(LowerFilterList, EdgeCases) {
    for (const Case& c : kCases) {
        Store(List(c.stored), c.type);
        EXPECT_EQ(HasFilter(*device), c.has) << c.stored;
        ExpectAfter(true, c);
        ExpectAfter(false, c);
    }
}

TEST_P(LowerFilterList, ReadGivesTheEntriesAndWriteDropsTrailingEmptyOnes) {
    Store(Bytes("|@|kbd\r\nx||"));
    EXPECT_EQ(ReadLowerFilters(*device), (TLowerFilterList{"", Name(), "kbd", "x"}));
    TLowerFilterList list{"", "a", "", ""};
    WriteLowerFilters(*device, list);
    EXPECT_EQ(list, (TLowerFilterList{"", "a"}));
    EXPECT_EQ(StoredBytes(), "\0a\0\0"s);
    list = {"", ""};
    WriteLowerFilters(*device, list);
    EXPECT_FALSE(Stored());
}

// A list longer than the 1024-byte buffer is read again, whole, at the size the
// platform reports: the filter in it is seen and no entry of it is lost.
TEST_P(LowerFilterList, ListsBeyondTheBufferAreReadWhole) {
    for (std::size_t size : {kLowerFiltersReadBuffer, kLowerFiltersReadBuffer + 1}) {
        const std::string stored = std::string(size - Name().size() - 3, 'x') + Bytes("|@||");
        Store(stored);
        EXPECT_TRUE(HasFilter(*device)) << size;
        const auto reads = bench.machine.CallsOf(ReadOp());
        ASSERT_EQ(reads.size(), size > kLowerFiltersReadBuffer ? 2u : 1u) << size;
        EXPECT_TRUE(reads.back().args.ends_with(" size=" + std::to_string(size))) << size;
        SetFilter(*device, true);
        EXPECT_EQ(StoredBytes(), stored);
    }
    std::string stored;
    for (int i = 1000; stored.size() <= 3 * kLowerFiltersReadBuffer; ++i) {
        stored += "lower" + std::to_string(i) + '\0';
    }
    Store(stored + '\0');
    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + '\0' + stored + '\0');
    SetFilter(*device, false);
    EXPECT_EQ(StoredBytes(), stored + '\0');
}

TEST_P(LowerFilterList, LongListThatCannotBeReadAgainIsLeftAlone) {
    const std::string stored = std::string(2000, 'y') + "\0\0"s;
    Store(stored);
    bench.machine.AddFault(sim::Fault{ReadOp(), 2, {}});
    SetFilter(*device, true);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(StoredBytes(), stored);
}

// A failed call never costs the user the entries of the list: the 9x family writes
// nothing without a key it could read through, the NT family nothing after a read
// that failed for another reason than the property's absence, however often.
TEST_P(LowerFilterList, AFailedReadNeverLosesTheOtherEntries) {
    Store(Bytes("kbdclass||"));
    const char* op = OnWin9x() ? "SetupDiOpenDevRegKey" : "SetupDiGetDeviceRegistryPropertyA";
    for (const int nth : {1, 0}) {
        bench.machine.AddFault(sim::Fault{op, nth, {}});
        SetFilter(*device, true);
        bench.machine.ClearFaults();
        EXPECT_EQ(StoredBytes(), Bytes("kbdclass||")) << "nth " << nth;
        EXPECT_EQ(Writes(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, LowerFilterList,
                         ::testing::Values(PlatformFamily::Win9x, PlatformFamily::NT),
                         [](const auto& info) {
                             return info.param == PlatformFamily::Win9x ? "Win9x" : "NT";
                         });

TEST(LowerFilterCalls, Win9xUsesTheHardwareKeyWithFullAccess) {
    ConfigBench bench(PlatformFamily::Win9x);
    auto device = bench.Open(kId);
    SetFilter(*device, true);
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDevRegKey"),
              Args(2, "scope=0x1 profile=0 key=0x1 access=0xF003F"));
    EXPECT_EQ(bench.ArgsOf("RegQueryValueExA"), Args{"name=LowerFilters size=1024"});
    EXPECT_EQ(bench.ArgsOf("RegSetValueExA"),
              Args{"name=LowerFilters reserved=0 type=7 size=13 data=71756F7276696E2E7379730000"});
    EXPECT_EQ(bench.machine.CountCalls("SetupDiGetDeviceRegistryPropertyA"), 0u);
    SetFilter(*device, false);
    EXPECT_EQ(bench.ArgsOf("RegDeleteValueA"), Args{"name=LowerFilters"});
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 4u);
    EXPECT_EQ(bench.machine.OpenKeyCount(), 0u);
}

TEST(LowerFilterCalls, Win9xWithoutAHardwareKeyWritesNothing) {
    ConfigBench bench(PlatformFamily::Win9x);
    auto bare = bench.Open(ConfigBench::kBare);
    EXPECT_FALSE(HasFilter(*bare));
    SetFilter(*bare, true);
    SetFilter(*bare, false);
    EXPECT_FALSE(bench.machine.HasKey(ConfigBench::kBare, DIREG_DEV)) << "no key is created";
    for (const char* op :
         {"RegQueryValueExA", "RegSetValueExA", "RegDeleteValueA", "RegCloseKey"}) {
        EXPECT_EQ(bench.machine.CountCalls(op), 0u) << op;
    }
}

// Only an absent value may be replaced by a list holding the filter alone; a value
// that exists but cannot be queried is kept.
TEST(LowerFilterCalls, Win9xValueThatCannotBeQueriedIsKept) {
    ConfigBench bench(PlatformFamily::Win9x);
    auto device = bench.Open(kId);
    const sim::RegValue stored{REG_MULTI_SZ, "kbdclass\0\0"s};
    bench.machine.Key(kId, DIREG_DEV)["LowerFilters"] = stored;
    bench.machine.AddFault(sim::Fault{"RegQueryValueExA", 0, {}});
    EXPECT_FALSE(HasFilter(*device));
    SetFilter(*device, true);
    EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    EXPECT_EQ(bench.KeyValue(kId, DIREG_DEV, "LowerFilters")->data, stored.data);
    EXPECT_EQ(bench.machine.OpenKeyCount(), 0u);
}

TEST(LowerFilterCalls, NtUsesTheParentsOrOwnPropertyAndNeverAKey) {
    ConfigBench bench;
    auto device = bench.Open(kId);
    device::TDevice& parent = device->GetParentDevice();
    bench.machine.ClearCalls();
    SetFilter(parent, true);
    EXPECT_EQ(bench.ArgsOf("SetupDiGetDeviceRegistryPropertyA"), Args{"property=0x12 size=1024"});
    EXPECT_EQ(bench.ArgsOf("SetupDiSetDeviceRegistryPropertyA"),
              Args{"property=0x12 size=9 data=71756F7276696E0000"});
    EXPECT_EQ(bench.machine.CallsOf("SetupDiSetDeviceRegistryPropertyA")[0].device,
              ConfigBench::kComposite);
    EXPECT_FALSE(HasFilter(*device));
    bench.machine.ClearCalls();
    SetFilter(parent, false);
    EXPECT_EQ(bench.ArgsOf("SetupDiSetDeviceRegistryPropertyA"),
              Args{"property=0x12 size=0 data=null"});
    EXPECT_EQ(bench.machine.CountCalls("SetupDiOpenDevRegKey"), 0u);
}

// On the NT family only the read's last-error code tells an absent list: the filter
// alone is written after ERROR_INVALID_DATA and after nothing else.
TEST(LowerFilterCalls, NtWritesTheFilterAloneOnlyWhenThePlatformSaysTheListIsAbsent) {
    for (const DWORD error : {DWORD{ERROR_INVALID_DATA}, DWORD{ERROR_INVALID_PARAMETER},
                              DWORD{ERROR_GEN_FAILURE}, DWORD{ERROR_INVALID_HANDLE}}) {
        ConfigBench bench;
        auto device = bench.Open(kId);
        bench.machine.SetProperty(kId, SPDRP_LOWERFILTERS, REG_MULTI_SZ, "a\0b\0\0"s);
        bench.machine.AddFault(sim::Fault{"SetupDiGetDeviceRegistryPropertyA", 0, {}, error});
        SetFilter(*device, true);
        const std::string expected = error == ERROR_INVALID_DATA ? "quorvin\0\0"s : "a\0b\0\0"s;
        EXPECT_EQ(bench.machine.Property(kId, SPDRP_LOWERFILTERS)->data, expected)
            << "error " << error;
    }
}

}  // namespace config
