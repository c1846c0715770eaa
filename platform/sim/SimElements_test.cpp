// Elements of a set: opening devices into sets, property and instance-ID reads with
// the platform's buffer rules, property writes, and elements gone stale.
#include <gtest/gtest.h>

#include "platform/sim/SimTestHelpers.h"

using simtest::Blank;
using simtest::kMouse;
using simtest::OpenAlone;
using simtest::Plan;

namespace {

const char* const kPointer = "HID\\VID_1111&PID_0001\\6&1";

class SimElements : public ::testing::Test {
  protected:
    void SetUp() override {
        auto mouse = Plan(kMouse, sim::kClassHid, "USB Input Device");
        mouse.hardwareIds = {"USB\\VID_1111&PID_0001&REV_0100", "USB\\VID_1111&PID_0001"};
        const DEVINST node = machine.AddDevice(mouse);
        machine.AddDevice(Plan(kPointer, sim::kClassMouse, "HID-compliant mouse"), node);
    }
    void TearDown() override { EXPECT_EQ(machine.OpenSetCount(), 0u); }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
};

TEST_F(SimElements, ReopeningADeviceReturnsItsElementWithoutGrowingTheSet) {
    HDEVINFO set = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    SP_DEVINFO_DATA first = Blank();
    SP_DEVINFO_DATA second = Blank();
    SP_DEVINFO_DATA other = Blank();
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kMouse, nullptr, 0, &first));
    ASSERT_TRUE(
        plat::SetupDiOpenDeviceInfoA(set, "usb\\vid_1111&pid_0001\\5&1", nullptr, 0, &second));
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kPointer, nullptr, 0, &other));
    EXPECT_EQ(machine.SetSize(set), 2u);
    EXPECT_EQ(first.Reserved, second.Reserved);
    EXPECT_EQ(first.DevInst, second.DevInst);
    EXPECT_EQ(first.DevInst, machine.NodeOf(kMouse));
    EXPECT_NE(first.Reserved, other.Reserved);
    EXPECT_TRUE(sim::SameGuid(other.ClassGuid, sim::kClassMouse));
    EXPECT_EQ(simtest::Members(set), (std::vector<std::string>{kMouse, kPointer}));

    EXPECT_FALSE(plat::SetupDiOpenDeviceInfoA(set, "USB\\NO_SUCH\\0", nullptr, 0, &first));
    SP_DEVINFO_DATA wrongSize = Blank();
    wrongSize.cbSize = 4;
    EXPECT_FALSE(plat::SetupDiOpenDeviceInfoA(set, kPointer, nullptr, 0, &wrongSize));
    EXPECT_EQ(machine.SetSize(set), 2u);
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, ASetOfOneClassRefusesDevicesOfAnother) {
    HDEVINFO set = plat::SetupDiCreateDeviceInfoList(&sim::kClassMouse, nullptr);
    SP_DEVINFO_DATA data = Blank();
    EXPECT_FALSE(plat::SetupDiOpenDeviceInfoA(set, kMouse, nullptr, 0, &data));
    EXPECT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kPointer, nullptr, 0, &data));
    EXPECT_EQ(machine.SetSize(set), 1u);
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, PropertyReadsReportTheRequiredSizeAndFailWhenTheBufferIsShort) {
    SP_DEVINFO_DATA data;
    HDEVINFO set = OpenAlone(kMouse, data);
    const std::string ids =
        simtest::Bytes("USB\\VID_1111&PID_0001&REV_0100\0USB\\VID_1111&PID_0001\0\0", 54);

    char buffer[64];
    DWORD type = 0;
    DWORD required = 0;
    ASSERT_TRUE(plat::SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_HARDWAREID, &type,
                                                        reinterpret_cast<PBYTE>(buffer),
                                                        sizeof buffer, &required));
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(std::string(buffer, required), ids);

    // Exactly the size fits; one byte less fails, reports the size and writes nothing.
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    required = 0;
    EXPECT_FALSE(plat::SetupDiGetDeviceRegistryPropertyA(
        set, &data, SPDRP_HARDWAREID, nullptr, reinterpret_cast<PBYTE>(buffer), 53, &required));
    EXPECT_EQ(required, 54u);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_TRUE(plat::SetupDiGetDeviceRegistryPropertyA(
        set, &data, SPDRP_HARDWAREID, nullptr, reinterpret_cast<PBYTE>(buffer), 54, nullptr));
    required = 0;
    EXPECT_FALSE(plat::SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_DEVICEDESC, nullptr,
                                                         nullptr, 0, &required));
    EXPECT_EQ(required, sizeof "USB Input Device");

    // A missing property fails without a size.
    required = 7;
    EXPECT_FALSE(plat::SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_LOWERFILTERS, &type,
                                                         reinterpret_cast<PBYTE>(buffer),
                                                         sizeof buffer, &required));
    EXPECT_EQ(required, 7u);
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, InstanceIdReadsCountTheTerminator) {
    SP_DEVINFO_DATA data;
    HDEVINFO set = OpenAlone("usb\\VID_1111&pid_0001\\5&1", data);
    const DWORD length = static_cast<DWORD>(std::string(kMouse).size());
    char buffer[64] = {};
    DWORD required = 0;
    ASSERT_TRUE(plat::SetupDiGetDeviceInstanceIdA(set, &data, buffer, length + 1, &required));
    EXPECT_STREQ(buffer, kMouse);  // the stored spelling, not the one asked for
    EXPECT_EQ(required, length + 1);
    required = 0;
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(set, &data, buffer, length, &required));
    EXPECT_EQ(required, length + 1);
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, PropertyWritesStoreTheBytesAndNullWithSizeZeroRemoves) {
    SP_DEVINFO_DATA data;
    HDEVINFO set = OpenAlone(kMouse, data);
    const char filters[] = "quorvin\0other\0";  // with the array's NUL: two entries and the end
    ASSERT_TRUE(plat::SetupDiSetDeviceRegistryPropertyA(
        set, &data, SPDRP_LOWERFILTERS, reinterpret_cast<const BYTE*>(filters), sizeof filters));
    auto stored = machine.Property(kMouse, SPDRP_LOWERFILTERS);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(stored->data, std::string(filters, sizeof filters));

    ASSERT_TRUE(plat::SetupDiSetDeviceRegistryPropertyA(
        set, &data, SPDRP_DEVICEDESC, reinterpret_cast<const BYTE*>("Renamed"), 8));
    EXPECT_EQ(machine.Property(kMouse, SPDRP_DEVICEDESC)->type, static_cast<DWORD>(REG_SZ));

    EXPECT_FALSE(
        plat::SetupDiSetDeviceRegistryPropertyA(set, &data, SPDRP_LOWERFILTERS, nullptr, 9));
    EXPECT_TRUE(machine.Property(kMouse, SPDRP_LOWERFILTERS).has_value());
    EXPECT_TRUE(
        plat::SetupDiSetDeviceRegistryPropertyA(set, &data, SPDRP_LOWERFILTERS, nullptr, 0));
    EXPECT_FALSE(machine.Property(kMouse, SPDRP_LOWERFILTERS).has_value());
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, ElementsOfUnpluggedOrRestartedDevicesFailEveryCall) {
    SP_DEVINFO_DATA mouse;
    HDEVINFO set = OpenAlone(kMouse, mouse);
    SP_DEVINFO_DATA pointer = Blank();
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kPointer, nullptr, 0, &pointer));
    auto usable = [&](SP_DEVINFO_DATA& data) {
        char buffer[256];
        DWORD required = 0;
        return plat::SetupDiGetDeviceInstanceIdA(set, &data, buffer, sizeof buffer, &required) !=
               FALSE;
    };
    machine.Restart(kMouse);  // restarts the child too
    EXPECT_FALSE(usable(mouse));
    EXPECT_FALSE(usable(pointer));
    const BYTE one[] = {'x', 0, 0};
    EXPECT_FALSE(plat::SetupDiSetDeviceRegistryPropertyA(set, &mouse, SPDRP_LOWERFILTERS, one, 3));
    EXPECT_FALSE(machine.Property(kMouse, SPDRP_LOWERFILTERS).has_value());
    EXPECT_EQ(plat::SetupDiOpenDevRegKey(set, &mouse, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ),
              static_cast<HKEY>(INVALID_HANDLE_VALUE));

    // Opening again refreshes the element in place; the old copy stays stale.
    SP_DEVINFO_DATA fresh = Blank();
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kMouse, nullptr, 0, &fresh));
    EXPECT_EQ(fresh.Reserved, mouse.Reserved);
    EXPECT_EQ(fresh.DevInst, machine.NodeOf(kMouse));
    EXPECT_TRUE(usable(fresh));
    EXPECT_FALSE(usable(mouse));
    EXPECT_EQ(machine.SetSize(set), 2u);

    machine.Unplug(kMouse);
    EXPECT_FALSE(usable(fresh));
    // An unplugged device is a phantom: it can still be opened by its ID.
    SP_DEVINFO_DATA phantom = Blank();
    EXPECT_TRUE(plat::SetupDiOpenDeviceInfoA(set, kMouse, nullptr, 0, &phantom));
    EXPECT_TRUE(usable(phantom));
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimElements, ForgedOrForeignRecordsAndUnknownSetsFail) {
    SP_DEVINFO_DATA mouse;
    HDEVINFO first = OpenAlone(kMouse, mouse);
    SP_DEVINFO_DATA pointer;
    HDEVINFO second = OpenAlone(kPointer, pointer);
    char buffer[256];
    // The same index in another set names another device.
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(second, &mouse, buffer, sizeof buffer, nullptr));
    SP_DEVINFO_DATA forged = mouse;
    forged.Reserved = 99;
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(first, &forged, buffer, sizeof buffer, nullptr));
    forged = mouse;
    forged.cbSize = 0;
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(first, &forged, buffer, sizeof buffer, nullptr));
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(first, nullptr, buffer, sizeof buffer, nullptr));

    EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(first));
    EXPECT_FALSE(plat::SetupDiDestroyDeviceInfoList(first));
    EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(first, &mouse, buffer, sizeof buffer, nullptr));
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(first, 0, &mouse));
    EXPECT_FALSE(plat::SetupDiOpenDeviceInfoA(first, kMouse, nullptr, 0, &mouse));
    EXPECT_FALSE(plat::SetupDiDestroyDeviceInfoList(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(plat::SetupDiDestroyDeviceInfoList(nullptr));
    EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(second));
}

}  // namespace
