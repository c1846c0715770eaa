#include "config/LowerFilters.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "config/DriverPackage.h"

using namespace std::string_literals;

namespace {

// Every lower-filter case runs on both families: the 9x family keeps the list as
// "LowerFilters" in the hardware key, the NT family as the SPDRP_LOWERFILTERS property.
class LowerFilterList : public ::testing::TestWithParam<PlatformFamily> {
  protected:
    static constexpr const char* kId = ConfigBench::kInterface;

    ConfigBench bench{GetParam()};
    std::unique_ptr<TDevice> device = bench.Open(kId);

    void TearDown() override {
        EXPECT_EQ(bench.machine.OpenKeyCount(), 0u) << "a key was left open";
    }

    bool OnWin9x() const { return GetParam() == PlatformFamily::Win9x; }
    std::string Name() const { return FilterName(GetParam()); }
    std::string OtherFamilysName() const {
        return FilterName(OnWin9x() ? PlatformFamily::NT : PlatformFamily::Win9x);
    }

    void Store(const std::string& bytes, DWORD type = REG_MULTI_SZ) {
        if (OnWin9x()) {
            bench.machine.Key(kId, DIREG_DEV)["LowerFilters"] = sim::RegValue{type, bytes};
        } else {
            bench.machine.SetProperty(kId, SPDRP_LOWERFILTERS, type, bytes);
        }
        bench.machine.ClearCalls();
    }
    std::optional<sim::RegValue> Stored() {
        return OnWin9x() ? bench.KeyValue(kId, DIREG_DEV, "LowerFilters")
                         : bench.machine.Property(kId, SPDRP_LOWERFILTERS);
    }
    std::string StoredBytes() {
        const auto value = Stored();
        return value ? value->data : "<absent>";
    }
    std::size_t Writes() const {
        return bench.machine.CountCalls("RegSetValueExA") +
               bench.machine.CountCalls("RegDeleteValueA") +
               bench.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA");
    }
    std::string ReadOp() const {
        return OnWin9x() ? "RegQueryValueExA" : "SetupDiGetDeviceRegistryPropertyA";
    }
    // "x...x" NUL name NUL NUL, exactly size bytes long: another entry, then the filter.
    std::string OtherThenFilter(std::size_t size) const {
        return std::string(size - Name().size() - 3, 'x') + '\0' + Name() + '\0' + '\0';
    }
};

}  // namespace

TEST_P(LowerFilterList, AbsentListGainsTheFilterAloneAndLosesNothing) {
    EXPECT_FALSE(HasFilter(*device));
    EXPECT_TRUE(ReadLowerFilters(*device).empty());

    SetFilter(*device, false);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_FALSE(Stored());

    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + "\0\0"s);
    if (OnWin9x()) {
        EXPECT_EQ(Stored()->type, static_cast<DWORD>(REG_MULTI_SZ));
    } else {
        EXPECT_EQ(StoredBytes(), "quorvin\0\0"s);
        EXPECT_EQ(StoredBytes().size(), 9u);
    }
    EXPECT_TRUE(HasFilter(*device));
}

TEST_P(LowerFilterList, ListOfOnlyEmptyEntriesReadsEmpty) {
    Store("\0\0"s);
    EXPECT_TRUE(ReadLowerFilters(*device).empty());
    EXPECT_FALSE(HasFilter(*device));
    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + "\0\0"s);
}

TEST_P(LowerFilterList, FilterTwiceIsKeptOnOnAndRemovedTogetherOnOff) {
    const std::string twice = Name() + "\0kbdclass\0"s + Name() + "\0\0"s;
    Store(twice);
    EXPECT_TRUE(HasFilter(*device));

    SetFilter(*device, true);
    EXPECT_EQ(Writes(), 0u) << "adding a present filter writes nothing";
    EXPECT_EQ(StoredBytes(), twice);

    SetFilter(*device, false);
    EXPECT_EQ(Writes(), 1u);
    EXPECT_EQ(StoredBytes(), "kbdclass\0\0"s);
}

TEST_P(LowerFilterList, MatchesAnyCaseAndNeverRewritesIt) {
    std::string upper = Name();
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    upper[1] = Name()[1];  // mixed case
    Store(upper + "\0\0"s);
    EXPECT_TRUE(HasFilter(*device));

    SetFilter(*device, true);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(StoredBytes(), upper + "\0\0"s);

    SetFilter(*device, false);
    EXPECT_FALSE(Stored()) << "removing the only entry deletes the list";
}

TEST_P(LowerFilterList, AddsInFrontAndRemovesOnlyTheFilter) {
    Store("kbdclass\0"s + Name() + "\0\0"s);
    SetFilter(*device, false);
    EXPECT_EQ(StoredBytes(), "kbdclass\0\0"s);

    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + "\0kbdclass\0\0"s);
    EXPECT_EQ(ReadLowerFilters(*device), (TLowerFilterList{Name(), "kbdclass"}));
}

TEST_P(LowerFilterList, RemovingTheOnlyEntryDeletesTheList) {
    Store(Name() + "\0\0"s);
    SetFilter(*device, false);
    EXPECT_FALSE(Stored());
    if (OnWin9x()) {
        EXPECT_EQ(bench.machine.CountCalls("RegDeleteValueA"), 1u);
        EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    } else {
        EXPECT_EQ(bench.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 1u);
    }
}

TEST_P(LowerFilterList, EmptyFirstEntryBeforeTheFilter) {
    Store("\0"s + Name() + "\0\0"s);
    EXPECT_TRUE(HasFilter(*device));
    EXPECT_EQ(ReadLowerFilters(*device), (TLowerFilterList{"", Name()}));
    // What is left is one empty entry, which the write drops: the list goes.
    SetFilter(*device, false);
    EXPECT_FALSE(Stored());
}

TEST_P(LowerFilterList, EmptyEntryInsideTheListIsWrittenBackAsALoneNul) {
    Store("a\0\0b\0\0"s);
    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + "\0a\0\0b\0\0"s);
}

TEST_P(LowerFilterList, NameOfTheOtherFamilyOrWithBlanksIsNotTheFilter) {
    Store(OtherFamilysName() + "\0 "s + Name() + "\0"s + Name() + " \0\0"s);
    EXPECT_FALSE(HasFilter(*device));
    SetFilter(*device, false);
    EXPECT_EQ(Writes(), 0u);
    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(),
              Name() + "\0"s + OtherFamilysName() + "\0 "s + Name() + "\0"s + Name() + " \0\0"s);
}

TEST_P(LowerFilterList, ExactlyTheBufferIsReadInOneGo) {
    const std::string stored = OtherThenFilter(kLowerFiltersReadBuffer);
    Store(stored);
    EXPECT_TRUE(HasFilter(*device));
    EXPECT_EQ(bench.machine.CountCalls(ReadOp()), 1u);
    EXPECT_EQ(ReadLowerFilters(*device).size(), 2u);

    SetFilter(*device, false);
    EXPECT_EQ(StoredBytes(), stored.substr(0, stored.size() - Name().size() - 2) + "\0"s);
}

// A list one byte longer than the buffer is read again, whole, with the size the
// platform reports: the filter in it is seen and no entry of it is lost.
TEST_P(LowerFilterList, ListLongerThanTheBufferIsReadWhole) {
    const std::string stored = OtherThenFilter(kLowerFiltersReadBuffer + 1);
    Store(stored);
    EXPECT_TRUE(HasFilter(*device));
    EXPECT_EQ(bench.machine.CountCalls(ReadOp()), 2u);

    bench.machine.ClearCalls();
    SetFilter(*device, true);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(StoredBytes(), stored);

    SetFilter(*device, false);
    EXPECT_EQ(StoredBytes(),
              std::string(kLowerFiltersReadBuffer + 1 - Name().size() - 3, 'x') + "\0\0"s);
}

TEST_P(LowerFilterList, FilterGoesInFrontOfALongListWithoutLosingAnEntry) {
    TLowerFilterList entries;
    std::string stored;
    for (int i = 0; stored.size() <= 3 * kLowerFiltersReadBuffer; ++i) {
        entries.push_back("lower" + std::to_string(1000 + i));
        stored += entries.back() + '\0';
    }
    stored += '\0';
    Store(stored);

    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + '\0' + stored);
    TLowerFilterList expected = entries;
    expected.insert(expected.begin(), Name());
    EXPECT_EQ(ReadLowerFilters(*device), expected);

    SetFilter(*device, false);
    EXPECT_EQ(StoredBytes(), stored);
}

TEST_P(LowerFilterList, LongListThatCannotBeReadAgainIsLeftAlone) {
    const std::string stored = std::string(2000, 'y') + "\0\0"s;
    Store(stored);
    bench.machine.AddFault(sim::Fault{ReadOp(), 2, {}});
    SetFilter(*device, true);
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(StoredBytes(), stored);
}

TEST_P(LowerFilterList, StoredStringWithoutTheClosingNulIsOneEntry) {
    Store(Name() + "\0"s, REG_SZ);
    EXPECT_TRUE(HasFilter(*device));
    Store("kbdclass", REG_BINARY);
    EXPECT_EQ(ReadLowerFilters(*device), (TLowerFilterList{"kbdclass"}));
    // Once changed, the list is stored as a multi-string.
    SetFilter(*device, true);
    EXPECT_EQ(StoredBytes(), Name() + "\0kbdclass\0\0"s);
    if (OnWin9x()) {
        EXPECT_EQ(Stored()->type, static_cast<DWORD>(REG_MULTI_SZ));
    }
}

TEST_P(LowerFilterList, WriteDropsTrailingEmptyEntriesAndDeletesAnEmptyList) {
    Store("old\0\0"s);
    TLowerFilterList list{"", "a", "", ""};
    WriteLowerFilters(*device, list);
    EXPECT_EQ(list, (TLowerFilterList{"", "a"}));
    EXPECT_EQ(StoredBytes(), "\0a\0\0"s);

    TLowerFilterList empties{"", ""};
    WriteLowerFilters(*device, empties);
    EXPECT_TRUE(empties.empty());
    EXPECT_FALSE(Stored());
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, LowerFilterList,
                         ::testing::Values(PlatformFamily::Win9x, PlatformFamily::NT),
                         [](const auto& info) {
                             return info.param == PlatformFamily::Win9x ? "Win9x" : "NT";
                         });

namespace {

using Args = std::vector<std::string>;

class LowerFilterCalls : public ::testing::Test {
  protected:
    static constexpr const char* kId = ConfigBench::kInterface;
    ConfigBench bench;
    std::unique_ptr<TDevice> device = bench.Open(kId);

    void TearDown() override { EXPECT_EQ(bench.machine.OpenKeyCount(), 0u); }
};

}  // namespace

TEST_F(LowerFilterCalls, Win9xUsesTheHardwareKeyWithFullAccess) {
    bench.UseFamily(PlatformFamily::Win9x);
    bench.machine.ClearCalls();
    SetFilter(*device, true);
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDevRegKey"),
              Args(2, "scope=0x1 profile=0 key=0x1 access=0xF003F"));
    EXPECT_EQ(bench.ArgsOf("RegQueryValueExA"), Args{"name=LowerFilters size=1024"});
    EXPECT_EQ(bench.ArgsOf("RegSetValueExA"),
              Args{"name=LowerFilters reserved=0 type=7 size=13 data=71756F7276696E2E7379730000"});
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 2u);
    EXPECT_EQ(bench.machine.CountCalls("SetupDiGetDeviceRegistryPropertyA"), 0u);

    bench.machine.ClearCalls();
    SetFilter(*device, false);
    EXPECT_EQ(bench.ArgsOf("RegDeleteValueA"), Args{"name=LowerFilters"});
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 2u);
}

TEST_F(LowerFilterCalls, Win9xReadsALongValueAgainWithTheSizeItReports) {
    bench.UseFamily(PlatformFamily::Win9x);
    bench.machine.Key(kId, DIREG_DEV)["LowerFilters"] =
        sim::RegValue{REG_MULTI_SZ, std::string(1500, 'z') + std::string(2, '\0')};
    bench.machine.ClearCalls();
    EXPECT_EQ(ReadLowerFilters(*device), TLowerFilterList{std::string(1500, 'z')});
    EXPECT_EQ(bench.ArgsOf("RegQueryValueExA"),
              (Args{"name=LowerFilters size=1024", "name=LowerFilters size=1502"}));
    EXPECT_EQ(bench.machine.CountCalls("SetupDiOpenDevRegKey"), 1u) << "one key for both reads";
}

TEST_F(LowerFilterCalls, Win9xWithoutAHardwareKeyWritesNothing) {
    bench.UseFamily(PlatformFamily::Win9x);
    auto bare = bench.Open(ConfigBench::kBare);
    EXPECT_FALSE(HasFilter(*bare));
    SetFilter(*bare, true);
    SetFilter(*bare, false);
    EXPECT_FALSE(bench.machine.HasKey(ConfigBench::kBare, DIREG_DEV)) << "no key is created";
    EXPECT_EQ(bench.machine.CountCalls("RegQueryValueExA"), 0u);
    EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    EXPECT_EQ(bench.machine.CountCalls("RegDeleteValueA"), 0u);
    EXPECT_EQ(bench.machine.CountCalls("RegCloseKey"), 0u);
}

// Only an absent value may be replaced by a list holding the filter alone; a value
// that exists but cannot be queried is kept.
TEST_F(LowerFilterCalls, Win9xValueThatCannotBeQueriedIsKept) {
    bench.UseFamily(PlatformFamily::Win9x);
    bench.machine.Key(kId, DIREG_DEV)["LowerFilters"] =
        sim::RegValue{REG_MULTI_SZ, std::string("kbdclass\0\0", 10)};
    bench.machine.AddFault(sim::Fault{"RegQueryValueExA", 0, {}});
    EXPECT_FALSE(HasFilter(*device));
    SetFilter(*device, true);
    EXPECT_EQ(bench.machine.CountCalls("RegSetValueExA"), 0u);
    EXPECT_EQ(bench.KeyValue(kId, DIREG_DEV, "LowerFilters")->data,
              std::string("kbdclass\0\0", 10));
}

TEST_F(LowerFilterCalls, NtUsesThePropertyAndNeverTheHardwareKey) {
    SetFilter(*device, true);
    EXPECT_EQ(bench.ArgsOf("SetupDiGetDeviceRegistryPropertyA"), Args{"property=0x12 size=1024"});
    EXPECT_EQ(bench.ArgsOf("SetupDiSetDeviceRegistryPropertyA"),
              Args{"property=0x12 size=9 data=71756F7276696E0000"});
    EXPECT_EQ(bench.machine.CallsOf("SetupDiSetDeviceRegistryPropertyA")[0].device, kId);

    bench.machine.ClearCalls();
    SetFilter(*device, false);
    EXPECT_EQ(bench.ArgsOf("SetupDiSetDeviceRegistryPropertyA"),
              Args{"property=0x12 size=0 data=null"});

    auto bare = bench.Open(ConfigBench::kBare);
    SetFilter(*bare, true);
    EXPECT_TRUE(HasFilter(*bare)) << "a device without a hardware key has the property";
    EXPECT_EQ(bench.machine.CountCalls("SetupDiOpenDevRegKey"), 0u);
}

TEST_F(LowerFilterCalls, NtReadsALongPropertyAgainWithTheRequiredSize) {
    bench.machine.SetProperty(kId, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                              std::string(1500, 'z') + std::string(2, '\0'));
    bench.machine.ClearCalls();
    EXPECT_EQ(ReadLowerFilters(*device), TLowerFilterList{std::string(1500, 'z')});
    EXPECT_EQ(bench.ArgsOf("SetupDiGetDeviceRegistryPropertyA"),
              (Args{"property=0x12 size=1024", "property=0x12 size=1502"}));
}

TEST_F(LowerFilterCalls, ParentListIsItsOwn) {
    TDevice& parent = device->GetParentDevice();
    SetFilter(parent, true);
    EXPECT_TRUE(HasFilter(parent));
    EXPECT_FALSE(HasFilter(*device));
    EXPECT_EQ(bench.machine.Property(ConfigBench::kComposite, SPDRP_LOWERFILTERS)->data,
              std::string("quorvin\0\0", 9));
    EXPECT_FALSE(bench.machine.Property(kId, SPDRP_LOWERFILTERS));
}
