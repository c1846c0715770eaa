// Which devices a set holds and in which order: class, enumerator, presence and
// interface filtering, and the end of enumeration.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sim/SimTestHelpers.h"

using simtest::Blank;
using simtest::Members;
using simtest::Plan;
using Ids = std::vector<std::string>;

namespace {

class SimEnumeration : public ::testing::Test {
  protected:
    void SetUp() override {
        const DEVINST pci = machine.AddDevice(Plan("PCI\\VEN_8086&DEV_0001\\3&0", sim::kClassUsb));
        auto hubSpec = Plan("USB\\ROOT_HUB30\\4&1", sim::kClassUsb, "USB Root Hub");
        hubSpec.interfaces = {sim::kInterfaceUsbHub};
        const DEVINST hub = machine.AddDevice(hubSpec, pci);
        const DEVINST mouse =
            machine.AddDevice(Plan("USB\\VID_1111&PID_0001\\5&1", sim::kClassHid), hub);
        machine.AddDevice(Plan("HID\\VID_1111&PID_0001\\6&1", sim::kClassMouse), mouse);
        const DEVINST composite =
            machine.AddDevice(Plan("USB\\VID_2222&PID_0002\\5&2", sim::kClassUsb), hub);
        machine.AddDevice(Plan("USB\\VID_2222&PID_0002&MI_00\\6&2", sim::kClassHid), composite);
        machine.AddDevice(Plan("USB\\VID_2222&PID_0002&MI_01\\6&3", sim::kClassHid), composite);
        machine.AddDevice(Plan("USBSTOR\\DISK&VEN_X\\7&1", sim::kClassHid), hub);
        machine.AddDevice(Plan("usb\\vid_3333&pid_0003\\5&3", sim::kClassHid), pci);
        auto phantom = Plan("USB\\VID_4444&PID_0004\\5&4", sim::kClassHid);
        phantom.present = false;
        machine.AddDevice(phantom);
    }

    Ids Enumerate(const GUID* cls, const char* enumerator, DWORD flags) {
        HDEVINFO set = plat::SetupDiGetClassDevsA(cls, enumerator, nullptr, flags);
        if (set == INVALID_HANDLE_VALUE) {
            return {"<invalid>"};
        }
        Ids ids = Members(set);
        plat::SetupDiDestroyDeviceInfoList(set);
        return ids;
    }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
};

TEST_F(SimEnumeration, ClassEnumeratorAndPresenceSelect) {
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USB", DIGCF_PRESENT),
              (Ids{"USB\\VID_1111&PID_0001\\5&1", "USB\\VID_2222&PID_0002&MI_00\\6&2",
                   "USB\\VID_2222&PID_0002&MI_01\\6&3", "usb\\vid_3333&pid_0003\\5&3"}));
    EXPECT_EQ(Enumerate(nullptr, "usb", DIGCF_PRESENT | DIGCF_ALLCLASSES),
              (Ids{"USB\\ROOT_HUB30\\4&1", "USB\\VID_1111&PID_0001\\5&1",
                   "USB\\VID_2222&PID_0002\\5&2", "USB\\VID_2222&PID_0002&MI_00\\6&2",
                   "USB\\VID_2222&PID_0002&MI_01\\6&3", "usb\\vid_3333&pid_0003\\5&3"}));
    EXPECT_EQ(Enumerate(&sim::kClassMouse, nullptr, DIGCF_PRESENT),
              (Ids{"HID\\VID_1111&PID_0001\\6&1"}));
    // A class argument ignored by DIGCF_ALLCLASSES, and no class without it.
    EXPECT_EQ(Enumerate(&sim::kClassMouse, "HID", DIGCF_PRESENT | DIGCF_ALLCLASSES).size(), 1u);
    EXPECT_EQ(Enumerate(nullptr, "USB", DIGCF_PRESENT), (Ids{"<invalid>"}));
}

// Devices are listed by instance ID, compared component by component and without
// letter case, whatever their place in the tree and whenever they arrived.
TEST_F(SimEnumeration, ListingOrderIsThatOfTheInstanceIds) {
    const DEVINST hub = machine.NodeOf("USB\\ROOT_HUB30\\4&1");
    for (const char* id : {"USB\\VID_9&PID_1&MI_00\\0", "USB\\VID_9&PID_1\\foo",
                           "USB\\VID_9&PID_1\\QUX", "usb\\VID_9&PID_1\\bar"}) {
        machine.Plug(Plan(id, sim::kClassHid), hub);
    }
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USB\\VID_9&PID_1", DIGCF_PRESENT),
              (Ids{"usb\\VID_9&PID_1\\bar", "USB\\VID_9&PID_1\\foo", "USB\\VID_9&PID_1\\QUX"}));
    const Ids all = Enumerate(&sim::kClassHid, "USB", DIGCF_PRESENT);
    EXPECT_EQ(Ids(all.end() - 4, all.end()),
              (Ids{"usb\\VID_9&PID_1\\bar", "USB\\VID_9&PID_1\\foo", "USB\\VID_9&PID_1\\QUX",
                   "USB\\VID_9&PID_1&MI_00\\0"}));
}

TEST_F(SimEnumeration, PhantomsOnlyWithoutThePresentFlagAndAmongTheOthers) {
    const Ids all = Enumerate(&sim::kClassHid, "USB", 0);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all.back(), "USB\\VID_4444&PID_0004\\5&4");

    machine.Unplug("USB\\VID_1111&PID_0001\\5&1");
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USB", DIGCF_PRESENT).size(), 3u);
    const Ids withPhantoms = Enumerate(&sim::kClassHid, "USB", 0);
    EXPECT_EQ(withPhantoms, (Ids{"USB\\VID_1111&PID_0001\\5&1", "USB\\VID_2222&PID_0002&MI_00\\6&2",
                                 "USB\\VID_2222&PID_0002&MI_01\\6&3", "usb\\vid_3333&pid_0003\\5&3",
                                 "USB\\VID_4444&PID_0004\\5&4"}));
}

// An interface query names one device; an enumerator that names none fails it.
TEST_F(SimEnumeration, InterfaceQueryHoldsTheNamedDeviceOnlyWhenItExposesTheInterface) {
    const DWORD flags = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
    EXPECT_EQ(Enumerate(&sim::kInterfaceUsbHub, "usb\\root_hub30\\4&1", flags),
              (Ids{"USB\\ROOT_HUB30\\4&1"}));
    EXPECT_EQ(Enumerate(&sim::kInterfaceUsbHub, "USB\\VID_1111&PID_0001\\5&1", flags), Ids{});
    for (const char* none : {"USB\\NO_SUCH\\0", "USB", "USB\\ROOT_HUB30"}) {
        plat::SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(Enumerate(&sim::kInterfaceUsbHub, none, flags), (Ids{"<invalid>"})) << none;
        EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << none;
    }
    EXPECT_EQ(Enumerate(&sim::kInterfaceUsbHub, nullptr, flags), (Ids{"USB\\ROOT_HUB30\\4&1"}));

    machine.Unplug("USB\\ROOT_HUB30\\4&1");
    EXPECT_EQ(Enumerate(&sim::kInterfaceUsbHub, "USB\\ROOT_HUB30\\4&1", flags), Ids{});
}

TEST_F(SimEnumeration, EnumerationEndsAtTheFirstIndexPastTheEnd) {
    HDEVINFO set = plat::SetupDiGetClassDevsA(&sim::kClassMouse, nullptr, nullptr, DIGCF_PRESENT);
    SP_DEVINFO_DATA data = Blank();
    EXPECT_TRUE(plat::SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(data.DevInst, machine.NodeOf("HID\\VID_1111&PID_0001\\6&1"));
    EXPECT_TRUE(sim::SameGuid(data.ClassGuid, sim::kClassMouse));
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(set, 1, &data));
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(set, 0xFFFFFFFF, &data));

    SP_DEVINFO_DATA wrongSize = Blank();
    wrongSize.cbSize = 24;
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(set, 0, &wrongSize));
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(set, 0, nullptr));
    plat::SetupDiDestroyDeviceInfoList(set);

    HDEVINFO empty = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    ASSERT_NE(empty, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(empty, 0, &data));
    plat::SetupDiDestroyDeviceInfoList(empty);
    EXPECT_EQ(machine.OpenSetCount(), 0u);
}

TEST_F(SimEnumeration, AnEnumeratorNamesWholeComponents) {
    const DEVINST pci = machine.NodeOf("PCI\\VEN_8086&DEV_0001\\3&0");
    machine.AddDevice(Plan("USB", sim::kClassHid), pci);
    machine.AddDevice(Plan("US\\X\\1", sim::kClassHid), pci);
    machine.AddDevice(Plan("Usb\\", sim::kClassHid), pci);
    EXPECT_EQ(
        Enumerate(&sim::kClassHid, "USB", DIGCF_PRESENT),
        (Ids{"USB", "Usb\\", "USB\\VID_1111&PID_0001\\5&1", "USB\\VID_2222&PID_0002&MI_00\\6&2",
             "USB\\VID_2222&PID_0002&MI_01\\6&3", "usb\\vid_3333&pid_0003\\5&3"}));
    EXPECT_EQ(Enumerate(nullptr, "USB\\VID_2222&PID_0002", DIGCF_PRESENT | DIGCF_ALLCLASSES),
              (Ids{"USB\\VID_2222&PID_0002\\5&2"}));
    EXPECT_EQ(Enumerate(&sim::kClassHid, "us", DIGCF_PRESENT), (Ids{"US\\X\\1"}));
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USBS", DIGCF_PRESENT), Ids{});
    const Ids any = Enumerate(&sim::kClassHid, nullptr, DIGCF_PRESENT);
    EXPECT_EQ(std::count(any.begin(), any.end(), "USB"), 1);
}

// A phantom that arrives again may come with another class: the sets made since see
// it with that class.
TEST_F(SimEnumeration, APhantomBackWithAnotherClassIsListedUnderIt) {
    auto back = Plan("USB\\VID_4444&PID_0004\\5&4", sim::kClassMouse);
    machine.AddDevice(back, machine.NodeOf("USB\\ROOT_HUB30\\4&1"));
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USB", 0).size(), 4u);
    HDEVINFO set = plat::SetupDiGetClassDevsA(&sim::kClassMouse, "USB", nullptr, DIGCF_PRESENT);
    SP_DEVINFO_DATA data = Blank();
    ASSERT_TRUE(plat::SetupDiEnumDeviceInfo(set, 0, &data));
    EXPECT_EQ(data.DevInst, machine.NodeOf(back.instanceId));
    EXPECT_TRUE(sim::SameGuid(data.ClassGuid, sim::kClassMouse));
    EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(set, 1, &data));
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimEnumeration, TreeChangesShowInTheNextSetInTheOrderOfTheIds) {
    const DEVINST hub = machine.NodeOf("USB\\ROOT_HUB30\\4&1");
    machine.Plug(Plan("USB\\VID_5555&PID_0005\\5&5", sim::kClassHid), hub);
    machine.Reparent("usb\\vid_3333&pid_0003\\5&3", hub);
    EXPECT_EQ(Enumerate(&sim::kClassHid, "USB", DIGCF_PRESENT),
              (Ids{"USB\\VID_1111&PID_0001\\5&1", "USB\\VID_2222&PID_0002&MI_00\\6&2",
                   "USB\\VID_2222&PID_0002&MI_01\\6&3", "usb\\vid_3333&pid_0003\\5&3",
                   "USB\\VID_5555&PID_0005\\5&5"}));
}

}  // namespace
