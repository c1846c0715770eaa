// The demo machine holds what the program's modes are expected to show, and is the
// machine the seam acts on when no test installed one.
#include <gtest/gtest.h>

#include "platform/sim/SimSystem.h"
#include "platform/sim/SimTestHelpers.h"

using simtest::Members;
using Ids = std::vector<std::string>;

namespace {

class SimDemoMachine : public ::testing::Test {
  protected:
    void SetUp() override { sim::BuildDemoMachine(machine); }

    Ids Enumerate(const GUID* cls, DWORD flags) {
        HDEVINFO set = plat::SetupDiGetClassDevsA(cls, "USB", nullptr, flags);
        Ids ids = Members(set);
        plat::SetupDiDestroyDeviceInfoList(set);
        return ids;
    }
    bool HasChildOfClass(const std::string& id, const GUID& cls) {
        DEVINST child = 0;
        for (CONFIGRET cr = plat::CM_Get_Child(&child, machine.NodeOf(id), 0); cr == CR_SUCCESS;
             cr = plat::CM_Get_Sibling(&child, child, 0)) {
            SP_DEVINFO_DATA data;
            HDEVINFO set = simtest::OpenAlone(machine.InstanceIdOf(child), data);
            const bool match = sim::SameGuid(data.ClassGuid, cls);
            plat::SetupDiDestroyDeviceInfoList(set);
            if (match) {
                return true;
            }
        }
        return false;
    }
    bool IsHub(const std::string& id) {
        HDEVINFO set = plat::SetupDiGetClassDevsA(&sim::kInterfaceUsbHub, id.c_str(), nullptr,
                                                  DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        const bool hub = !Members(set).empty();
        plat::SetupDiDestroyDeviceInfoList(set);
        return hub;
    }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
};

TEST_F(SimDemoMachine, NormalModeListsTheNineUsbHidDevicesInTheOrderOfTheirIds) {
    const Ids hid = Enumerate(&sim::kClassHid, DIGCF_PRESENT);
    EXPECT_EQ(
        hid,
        (Ids{"USB\\VID_046D&PID_C21D\\5&2D7E1F3&0&3",
             "USB\\VID_0D8C&PID_0014&MI_03\\6&1D3C5B7&0&0003",
             "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2", "USB\\VID_10C4&PID_8A40\\5&2D7E1F3&0&1",
             "USB\\VID_16C0&PID_05DF\\5&2D7E1F3&0&2",
             "USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000",
             "USB\\VID_1A2C&PID_4C5E&MI_01\\6&2C1F5D3&0&0001",
             "USB\\VID_2F1B&PID_0A31\\6&4D5E6F7&0&1", "USB\\VID_3C4D&PID_5E6F\\6&4D5E6F7&0&2"}));
    Ids mice;
    for (const std::string& id : hid) {
        if (HasChildOfClass(id, sim::kClassMouse)) {
            mice.push_back(id);
        }
    }
    EXPECT_EQ(mice, (Ids{hid[2], hid[5], hid[7]}));
    // The phantom mouse shows only when non-present devices are asked for.
    EXPECT_EQ(Enumerate(&sim::kClassHid, 0).size(), hid.size() + 1);
}

TEST_F(SimDemoMachine, AllDevicesModeKeepsElevenOfSixteenUsbDevices) {
    const Ids all = Enumerate(nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    EXPECT_EQ(all.size(), 16u);
    std::size_t hubs = 0;
    for (const std::string& id : all) {
        hubs += IsHub(id) ? 1 : 0;
    }
    EXPECT_EQ(hubs, 5u);  // three root hubs, the external hub, the HID device with a hub
    EXPECT_TRUE(IsHub("USB\\VID_10C4&PID_8A40\\5&2D7E1F3&0&1"));
    EXPECT_EQ(machine.OpenSetCount(), 0u);
}

TEST_F(SimDemoMachine, StoredSettingsToShow) {
    const std::string plain = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
    const std::string behindHub = "USB\\VID_2F1B&PID_0A31\\6&4D5E6F7&0&1";
    EXPECT_EQ(machine.Property(plain, SPDRP_LOWERFILTERS)->data, std::string("QUORVIN\0\0", 9));
    EXPECT_EQ(machine.Property(behindHub, SPDRP_LOWERFILTERS)->data, std::string("mfltx\0\0", 7));
    EXPECT_EQ(machine.Key(plain, DIREG_DRV).at("bInterval").data, std::string("\x03\0\0\0", 4));
    EXPECT_EQ(machine.Key(behindHub, DIREG_DRV).at("bInterval").data,
              std::string("\xE8\x03\0\0", 4));

    const std::string bare = "USB\\VID_16C0&PID_05DF\\5&2D7E1F3&0&2";
    EXPECT_FALSE(machine.Property(bare, SPDRP_DEVICEDESC).has_value());
    EXPECT_FALSE(machine.HasKey(bare, DIREG_DRV));
    EXPECT_EQ(
        machine.Property("HID\\VID_1A2C&PID_4C5E&MI_00&COL01\\7&1F3E2D1&0&0000", SPDRP_DEVICEDESC)
            ->data,
        std::string("HID-compliant mouse", 20));
}

// Every filter a device lists has its service, so each device starts when it is
// restarted; the game pad alone shows a failed start (the README names it).
TEST_F(SimDemoMachine, EveryDeviceStartsButTheGamePad) {
    const std::string gamePad = "USB\\VID_046D&PID_C21D\\5&2D7E1F3&0&3";
    for (const std::string& id : Enumerate(nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES)) {
        const ULONG before =
            machine.system().problems.count(id) ? machine.system().problems[id] : 0;
        EXPECT_EQ(before, id == gamePad ? ULONG{CM_PROB_DRIVER_FAILED_LOAD} : 0u) << id;
        EXPECT_EQ(sim::StartDevice(machine, id), 0u) << id;
    }
}

TEST(SimDemoMachineDefault, TheSeamUsesTheDemoMachineUnlessATestInstallsOne) {
    EXPECT_GT(sim::Current().DeviceCount(), 20u);
    {
        sim::Machine empty;
        sim::ScopedMachine scope(empty);
        EXPECT_EQ(&sim::Current(), &empty);
        HDEVINFO set = plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT);
        EXPECT_TRUE(Members(set).empty());
        plat::SetupDiDestroyDeviceInfoList(set);
    }
    HDEVINFO set = plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT);
    EXPECT_EQ(Members(set).size(), 9u);
    plat::SetupDiDestroyDeviceInfoList(set);
    EXPECT_EQ(sim::Current().OpenSetCount(), 0u);
}

}  // namespace
