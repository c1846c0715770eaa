// Machines of ten thousand devices: building, enumerating, the per-device interface
// query and opening into a shared set stay linear, so a whole pass takes moments.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/sim/SimTestHelpers.h"

using simtest::Blank;
using simtest::Plan;

namespace {

TEST(SimScale, TenThousandDevicesInLinearTime) {
    const auto start = std::chrono::steady_clock::now();
    sim::Machine machine;
    sim::ScopedMachine scope(machine);
    machine.logging = false;
    constexpr int kHubs = 100;
    constexpr int kPerHub = 50;
    for (int h = 0; h < kHubs; ++h) {
        auto hub = Plan("USB\\ROOT_HUB\\" + std::to_string(h), sim::kClassUsb, "USB Root Hub");
        hub.interfaces = {sim::kInterfaceUsbHub};
        const DEVINST hubNode = machine.AddDevice(hub);
        for (int d = 0; d < kPerHub; ++d) {
            const std::string n = std::to_string(h) + "_" + std::to_string(d);
            const DEVINST device = machine.AddDevice(
                Plan("USB\\VID_1111&PID_" + n + "\\1", sim::kClassHid, "USB Input Device"),
                hubNode);
            machine.AddDevice(Plan("HID\\VID_1111&PID_" + n + "\\2", sim::kClassMouse), device);
        }
    }
    ASSERT_EQ(machine.DeviceCount(), static_cast<std::size_t>(kHubs * (1 + 2 * kPerHub)));
    const auto built = std::chrono::steady_clock::now();

    HDEVINFO list = plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT);
    HDEVINFO related = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    SP_DEVINFO_DATA element = Blank();
    DWORD count = 0;
    for (; plat::SetupDiEnumDeviceInfo(list, count, &element); ++count) {
        char id[256];
        ASSERT_TRUE(plat::SetupDiGetDeviceInstanceIdA(list, &element, id, sizeof id, nullptr));
        HDEVINFO hubTest = plat::SetupDiGetClassDevsA(&sim::kInterfaceUsbHub, id, nullptr,
                                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        SP_DEVINFO_DATA probe = Blank();
        EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(hubTest, 0, &probe));
        plat::SetupDiDestroyDeviceInfoList(hubTest);

        DEVINST parent = 0;
        ASSERT_EQ(plat::CM_Get_Parent(&parent, element.DevInst, 0),
                  static_cast<CONFIGRET>(CR_SUCCESS));
        for (int again = 0; again < 2; ++again) {
            SP_DEVINFO_DATA opened = Blank();
            ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(related, machine.InstanceIdOf(parent).c_str(),
                                                     nullptr, 0, &opened));
        }
    }
    EXPECT_EQ(count, static_cast<DWORD>(kHubs * kPerHub));
    EXPECT_EQ(machine.SetSize(related), static_cast<std::size_t>(kHubs));
    plat::SetupDiDestroyDeviceInfoList(related);
    plat::SetupDiDestroyDeviceInfoList(list);
    EXPECT_EQ(machine.OpenSetCount(), 0u);

    // Building is linear, so it measures this machine's speed. A pass that scanned the
    // tree per device would cost thousands of times the building; a linear one costs
    // a few times it.
    const auto buildTime = built - start;
    const auto passTime = std::chrono::steady_clock::now() - built;
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    RecordProperty("build_ms", static_cast<int>(duration_cast<milliseconds>(buildTime).count()));
    RecordProperty("pass_ms", static_cast<int>(duration_cast<milliseconds>(passTime).count()));
    EXPECT_LT(passTime, 20 * buildTime + std::chrono::milliseconds(100));
}

}  // namespace
