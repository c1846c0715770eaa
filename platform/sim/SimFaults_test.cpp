// Fault injection (every call, the nth call, calls about one device) and the call
// log's argument formats that other tests compare against.
#include <gtest/gtest.h>

#include "platform/sim/SimTestHelpers.h"

using simtest::Blank;
using simtest::kMouse;
using simtest::OpenAlone;
using simtest::Plan;

namespace {

const char* const kOther = "USB\\VID_2222&PID_0002\\5&2";

class SimFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        auto mouse = Plan(kMouse, sim::kClassHid, "Mouse");
        mouse.driverKey = sim::RegKeyValues{};
        machine.AddDevice(mouse);
        machine.AddDevice(Plan(kOther, sim::kClassHid, "Other"));
    }
    bool CanRead(const char* id) {
        SP_DEVINFO_DATA data;
        HDEVINFO set = OpenAlone(id, data);
        char buffer[64];
        const BOOL ok = plat::SetupDiGetDeviceRegistryPropertyA(
            set, &data, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<PBYTE>(buffer), sizeof buffer,
            nullptr);
        plat::SetupDiDestroyDeviceInfoList(set);
        return ok != FALSE;
    }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
};

TEST_F(SimFaults, EveryNthAndPerDeviceFaults) {
    machine.AddFault({"SetupDiGetDeviceRegistryPropertyA", 2, ""});
    EXPECT_TRUE(CanRead(kMouse));
    EXPECT_FALSE(CanRead(kMouse));
    EXPECT_TRUE(CanRead(kMouse));

    machine.ClearFaults();
    machine.AddFault({"SetupDiGetDeviceRegistryPropertyA", 0, "usb\\vid_1111&pid_0001\\5&1"});
    EXPECT_FALSE(CanRead(kMouse));
    EXPECT_FALSE(CanRead(kMouse));
    EXPECT_TRUE(CanRead(kOther));

    machine.ClearFaults();
    machine.AddFault({"SetupDiGetDeviceRegistryPropertyA", 0, ""});
    EXPECT_FALSE(CanRead(kMouse));
    EXPECT_FALSE(CanRead(kOther));
    machine.ClearFaults();
    EXPECT_TRUE(CanRead(kOther));
    EXPECT_EQ(machine.OpenSetCount(), 0u);
}

TEST_F(SimFaults, AFailedCallChangesNothing) {
    machine.AddFault({"SetupDiCreateDeviceInfoList"});
    EXPECT_EQ(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr), INVALID_HANDLE_VALUE);
    machine.AddFault({"SetupDiGetClassDevsA"});
    EXPECT_EQ(plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(machine.OpenSetCount(), 0u);
    machine.ClearFaults();

    SP_DEVINFO_DATA data;
    HDEVINFO set = OpenAlone(kMouse, data);
    machine.AddFault({"SetupDiOpenDeviceInfoA"});
    SP_DEVINFO_DATA other = Blank();
    EXPECT_FALSE(plat::SetupDiOpenDeviceInfoA(set, kOther, nullptr, 0, &other));
    EXPECT_EQ(machine.SetSize(set), 1u);

    machine.AddFault({"SetupDiSetDeviceRegistryPropertyA"});
    EXPECT_FALSE(plat::SetupDiSetDeviceRegistryPropertyA(set, &data, SPDRP_DEVICEDESC, nullptr, 0));
    EXPECT_TRUE(machine.Property(kMouse, SPDRP_DEVICEDESC).has_value());

    machine.AddFault({"SetupDiOpenDevRegKey", 1});
    EXPECT_EQ(
        plat::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS),
        static_cast<HKEY>(INVALID_HANDLE_VALUE));
    EXPECT_EQ(machine.OpenKeyCount(), 0u);
    HKEY key =
        plat::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    ASSERT_NE(key, static_cast<HKEY>(INVALID_HANDLE_VALUE));

    machine.AddFault({"RegSetValueExA"});
    const BYTE one[] = {1, 0, 0, 0};
    EXPECT_EQ(plat::RegSetValueExA(key, "bInterval", 0, REG_DWORD, one, 4), 5);
    EXPECT_TRUE(machine.Key(kMouse, DIREG_DRV).empty());
    machine.AddFault({"RegCloseKey", 1});
    EXPECT_EQ(plat::RegCloseKey(key), 5);
    EXPECT_EQ(machine.OpenKeyCount(), 1u);
    EXPECT_EQ(plat::RegCloseKey(key), ERROR_SUCCESS);

    machine.AddFault({"SetupDiDestroyDeviceInfoList", 1});
    EXPECT_FALSE(plat::SetupDiDestroyDeviceInfoList(set));
    EXPECT_EQ(machine.OpenSetCount(), 1u);
    EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(set));

    machine.AddFault({"CM_Get_Parent"});
    DEVINST parent = 7;
    EXPECT_EQ(plat::CM_Get_Parent(&parent, machine.NodeOf(kMouse), 0),
              static_cast<CONFIGRET>(CR_FAILURE));
    EXPECT_EQ(parent, 7u);
}

TEST_F(SimFaults, CallsAreLoggedWithTheirArgumentsAndDevice) {
    SP_DEVINFO_DATA data;
    HDEVINFO set = OpenAlone(kMouse, data);
    HDEVINFO classSet = plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT);
    HKEY key =
        plat::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    const BYTE eight[] = {8, 0, 0, 0};
    plat::RegSetValueExA(key, "bInterval", 0, REG_DWORD, eight, 4);
    DWORD value = 0;
    DWORD size = 4;
    plat::RegQueryValueExA(key, "bInterval", nullptr, nullptr, reinterpret_cast<LPBYTE>(&value),
                           &size);
    plat::RegCloseKey(key);
    char buffer[32768];
    plat::SetupDiGetDeviceRegistryPropertyA(set, &data, SPDRP_LOWERFILTERS, nullptr,
                                            reinterpret_cast<PBYTE>(buffer), 1024, nullptr);
    ULONG length = 0;
    plat::CM_Get_Device_ID_Size(&length, data.DevInst, 0);
    plat::SetupDiDestroyDeviceInfoList(classSet);
    plat::SetupDiDestroyDeviceInfoList(set);

    auto only = [&](const char* op) {
        const std::vector<sim::Call> calls = machine.CallsOf(op);
        EXPECT_EQ(calls.size(), 1u) << op;
        return calls.empty() ? sim::Call{} : calls.front();
    };
    EXPECT_EQ(only("SetupDiCreateDeviceInfoList").args, "class=null hwnd=0");
    const sim::Call open = only("SetupDiOpenDeviceInfoA");
    EXPECT_EQ(open.args, std::string("set=1 id=") + kMouse +
                             " hwnd=0 flags=0x0 cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA)));
    EXPECT_EQ(open.device, kMouse);
    EXPECT_EQ(only("SetupDiGetClassDevsA").args,
              "class={745A17A0-74D3-11D0-B6FE-00A0C90F57DA} enum=USB hwnd=0 flags=0x2");
    const sim::Call openKey = only("SetupDiOpenDevRegKey");
    EXPECT_EQ(openKey.args, "set=1 scope=0x1 profile=0 key=0x2 access=0xF003F");
    EXPECT_EQ(openKey.device, kMouse);
    EXPECT_EQ(only("RegSetValueExA").args,
              "key=1 name=bInterval reserved=0 type=4 size=4 data=08000000");
    EXPECT_EQ(only("RegQueryValueExA").args, "key=1 name=bInterval size=4");
    EXPECT_EQ(only("RegQueryValueExA").device, kMouse);
    EXPECT_EQ(only("RegCloseKey").args, "key=1");
    EXPECT_EQ(only("SetupDiGetDeviceRegistryPropertyA").args, "set=1 property=0x12 size=1024");
    EXPECT_EQ(only("CM_Get_Device_ID_Size").args,
              "node=" + std::to_string(data.DevInst) + " flags=0x0");
    EXPECT_EQ(only("CM_Get_Device_ID_Size").device, kMouse);
    const std::vector<sim::Call> destroyed = machine.CallsOf("SetupDiDestroyDeviceInfoList");
    ASSERT_EQ(destroyed.size(), 2u);
    EXPECT_EQ(destroyed[0].args, "set=2");
    EXPECT_EQ(destroyed[1].args, "set=1");
    EXPECT_EQ(machine.CountCalls("SetupDiEnumDeviceInfo"), 0u);

    machine.ClearCalls();
    machine.logging = false;
    plat::SetupDiDestroyDeviceInfoList(set);
    EXPECT_TRUE(machine.Calls().empty());
}

}  // namespace
