// Device registry keys: opening them through an element, the value functions' size
// and error rules, access rights, key lifetime and handle accounting.
#include <gtest/gtest.h>

#include "platform/sim/SimTestHelpers.h"

using simtest::kMouse;
using simtest::OpenAlone;
using simtest::Plan;

namespace {

const char* const kBare = "USB\\VID_2222&PID_0002\\5&2";
const HKEY kNoKey = static_cast<HKEY>(INVALID_HANDLE_VALUE);

class SimRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        auto mouse = Plan(kMouse, sim::kClassHid);
        mouse.driverKey =
            sim::RegKeyValues{{"bInterval", {REG_DWORD, std::string("\x03\0\0\0", 4)}}};
        mouse.hardwareKey = sim::RegKeyValues{};
        machine.AddDevice(mouse);
        machine.AddDevice(Plan(kBare, sim::kClassHid));
        set = OpenAlone(kMouse, element);
    }
    void TearDown() override {
        plat::SetupDiDestroyDeviceInfoList(set);
        EXPECT_EQ(machine.OpenKeyCount(), 0u);
        EXPECT_EQ(machine.OpenSetCount(), 0u);
    }
    HKEY Open(DWORD keyType, REGSAM access = KEY_ALL_ACCESS) {
        return plat::SetupDiOpenDevRegKey(set, &element, DICS_FLAG_GLOBAL, 0, keyType, access);
    }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
    SP_DEVINFO_DATA element{};
    HDEVINFO set = nullptr;
};

TEST_F(SimRegistry, AMissingKeyFailsAndIsNotCreated) {
    SP_DEVINFO_DATA bare;
    HDEVINFO bareSet = OpenAlone(kBare, bare);
    EXPECT_EQ(
        plat::SetupDiOpenDevRegKey(bareSet, &bare, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS),
        kNoKey);
    EXPECT_EQ(
        plat::SetupDiOpenDevRegKey(bareSet, &bare, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_ALL_ACCESS),
        kNoKey);
    EXPECT_FALSE(machine.HasKey(kBare, DIREG_DRV));
    EXPECT_FALSE(machine.HasKey(kBare, DIREG_DEV));
    EXPECT_EQ(machine.OpenKeyCount(), 0u);
    plat::SetupDiDestroyDeviceInfoList(bareSet);

    // Neither "both keys" nor an unknown scope opens anything.
    EXPECT_EQ(Open(DIREG_DEV | DIREG_DRV), kNoKey);
    EXPECT_EQ(plat::SetupDiOpenDevRegKey(set, &element, 0, 0, DIREG_DRV, KEY_ALL_ACCESS), kNoKey);
}

TEST_F(SimRegistry, QueryReportsSizesAndFailsShortBuffersWithMoreData) {
    HKEY key = Open(DIREG_DRV);
    ASSERT_NE(key, kNoKey);
    EXPECT_EQ(machine.OpenKeyCount(), 1u);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(plat::RegQueryValueExA(key, "BINTERVAL", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    BYTE small[3] = {9, 9, 9};
    size = sizeof small;
    EXPECT_EQ(plat::RegQueryValueExA(key, "bInterval", nullptr, nullptr, small, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(small[0], 9);

    DWORD value = 0;
    size = 16;  // a larger buffer is fine and reports the stored size
    EXPECT_EQ(plat::RegQueryValueExA(key, "bInterval", nullptr, nullptr,
                                     reinterpret_cast<LPBYTE>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(size, 4u);

    size = 4;
    EXPECT_EQ(plat::RegQueryValueExA(key, "LowerFilters", nullptr, &type,
                                     reinterpret_cast<LPBYTE>(&value), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(plat::RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(SimRegistry, SetStoresExactlyTheBytesAndDeleteRemovesThem) {
    HKEY key = Open(DIREG_DEV);
    ASSERT_NE(key, kNoKey);
    const BYTE list[] = {'q', 0, 0};
    EXPECT_EQ(plat::RegSetValueExA(key, "LowerFilters", 0, REG_MULTI_SZ, list, 3), ERROR_SUCCESS);
    const sim::RegValue stored = machine.Key(kMouse, DIREG_DEV).at("LowerFilters");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(stored.data, std::string("q\0\0", 3));

    // The name keeps its first spelling; a write with another case replaces the data.
    const BYTE other[] = {'x', 0};
    EXPECT_EQ(plat::RegSetValueExA(key, "lowerfilters", 0, REG_SZ, other, 2), ERROR_SUCCESS);
    EXPECT_EQ(machine.Key(kMouse, DIREG_DEV).size(), 1u);
    EXPECT_EQ(machine.Key(kMouse, DIREG_DEV).begin()->first, "LowerFilters");
    EXPECT_EQ(machine.Key(kMouse, DIREG_DEV).begin()->second.data, std::string("x\0", 2));

    EXPECT_EQ(plat::RegDeleteValueA(key, "LowerFilters"), ERROR_SUCCESS);
    EXPECT_EQ(plat::RegDeleteValueA(key, "LowerFilters"), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(machine.Key(kMouse, DIREG_DEV).empty());
    plat::RegCloseKey(key);
}

TEST_F(SimRegistry, AReadOnlyKeyRefusesWrites) {
    HKEY key = Open(DIREG_DRV, KEY_READ);
    ASSERT_NE(key, kNoKey);
    const BYTE eight[] = {8, 0, 0, 0};
    EXPECT_NE(plat::RegSetValueExA(key, "bInterval", 0, REG_DWORD, eight, 4), ERROR_SUCCESS);
    EXPECT_NE(plat::RegDeleteValueA(key, "bInterval"), ERROR_SUCCESS);
    EXPECT_EQ(machine.Key(kMouse, DIREG_DRV).at("bInterval").data, std::string("\x03\0\0\0", 4));
    plat::RegCloseKey(key);
}

TEST_F(SimRegistry, KeysOutliveRestartsButNotUnplugging) {
    HKEY key = Open(DIREG_DRV);
    DWORD size = 0;
    machine.Restart(kMouse);
    EXPECT_EQ(plat::RegQueryValueExA(key, "bInterval", nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    machine.Unplug(kMouse);
    EXPECT_NE(plat::RegQueryValueExA(key, "bInterval", nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    const BYTE one[] = {1, 0, 0, 0};
    EXPECT_NE(plat::RegSetValueExA(key, "bInterval", 0, REG_DWORD, one, 4), ERROR_SUCCESS);
    EXPECT_EQ(plat::RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(SimRegistry, ClosingTwiceOrAnUnknownKeyFailsCleanly) {
    HKEY first = Open(DIREG_DRV);
    HKEY second = Open(DIREG_DRV);
    EXPECT_NE(first, second);
    EXPECT_EQ(machine.OpenKeyCount(), 2u);
    EXPECT_EQ(plat::RegCloseKey(first), ERROR_SUCCESS);
    EXPECT_EQ(plat::RegCloseKey(first), ERROR_INVALID_HANDLE);
    EXPECT_EQ(plat::RegCloseKey(kNoKey), ERROR_INVALID_HANDLE);
    DWORD size = 4;
    EXPECT_EQ(plat::RegQueryValueExA(first, "bInterval", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(machine.OpenKeyCount(), 1u);
    EXPECT_EQ(plat::RegCloseKey(second), ERROR_SUCCESS);
}

}  // namespace
