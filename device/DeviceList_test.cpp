#include "device/DeviceList.h"

#include <gtest/gtest.h>

#include <set>

#include "device/DeviceTestTree.h"
#include "device/Errors.h"

namespace device {

namespace {

std::vector<std::string> Ids(TDeviceList& list) {
    std::vector<std::string> ids;
    for (int i = 0; i < list.Count(); ++i) {
        ids.push_back(list.GetDevice(i).GetInstanceId());
    }
    return ids;
}

const std::string kHid0 = "USB\\VID_1111&PID_2222&MI_00\\6&1";
const std::string kHid1 = "USB\\VID_1111&PID_2222&MI_01\\6&2";
const std::string kHidHub = "USB\\VID_3333&PID_4444\\5&2";
const std::string kDeep = "USB\\VID_5555&PID_6666\\5&3";
const std::string kComposite = "USB\\VID_1111&PID_2222\\5&1";

}  // namespace

TEST(DeviceList, SwitchesSelectWhatIsEnumeratedAndKept) {
    TestTree tree;
    {
        TDeviceList normal(false, false);
        // A HID device exposing the hub interface is listed in the normal mode.
        EXPECT_EQ(Ids(normal), (std::vector<std::string>{kHid0, kHid1, kHidHub, kDeep}));
        EXPECT_EQ(tree.machine.CountCalls("SetupDiGetClassDevsA"), 1u) << "no hub test";
    }
    {
        // Only direct mouse children count: "Deep HID" has its mouse as a grandchild.
        TDeviceList mice(true, false);
        EXPECT_EQ(Ids(mice), (std::vector<std::string>{kHid0}));
    }
    for (bool miceOnly : {false, true}) {
        tree.machine.ClearCalls();
        TDeviceList all(miceOnly, true);
        // Every class enumerated by USB, hubs left out, "Mice Only" ignored.
        EXPECT_EQ(Ids(all), (std::vector<std::string>{kComposite, kHid0, kHid1, kDeep}));
        EXPECT_EQ(tree.machine.CountCalls("CM_Get_Child"), 0u) << "no mouse test";
    }
    EXPECT_EQ(tree.machine.OpenSetCount(), 0u);
}

TEST(DeviceList, PassesTheEnumerationArgumentsExactly) {
    TestTree tree;
    { TDeviceList normal(true, false); }
    { TDeviceList all(false, true); }
    auto classDevs = tree.machine.CallsOf("SetupDiGetClassDevsA");
    ASSERT_GE(classDevs.size(), 2u);
    EXPECT_EQ(classDevs.front().args,
              "class={745A17A0-74D3-11D0-B6FE-00A0C90F57DA} enum=USB hwnd=0 flags=0x2");
    auto created = tree.machine.CallsOf("SetupDiCreateDeviceInfoList");
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0].args, "class=null hwnd=0");
    bool sawAllClasses = false;
    for (const auto& call : classDevs) {
        sawAllClasses |= call.args == "class=null enum=USB hwnd=0 flags=0x6";
    }
    EXPECT_TRUE(sawAllClasses);
}

TEST(DeviceList, FailedConstructionLeavesNoSetBehind) {
    {
        TestTree tree;
        tree.machine.AddFault({"SetupDiGetClassDevsA"});
        try {
            TDeviceList list(false, false);
            FAIL() << "constructed";
        } catch (const EDeviceError& e) {
            EXPECT_STREQ(e.what(), "SetupDiGetClassDevs");
        }
        EXPECT_EQ(tree.machine.OpenSetCount(), 0u);
        EXPECT_EQ(tree.machine.CountCalls("SetupDiDestroyDeviceInfoList"), 0u);
    }
    {
        TestTree tree;
        tree.machine.AddFault({"SetupDiCreateDeviceInfoList"});
        try {
            TDeviceList list(false, false);
            FAIL() << "constructed";
        } catch (const EDeviceError& e) {
            EXPECT_STREQ(e.what(), "SetupDiCreateDeviceInfoList");
        }
        EXPECT_EQ(tree.machine.OpenSetCount(), 0u);
        EXPECT_EQ(tree.machine.CountCalls("SetupDiDestroyDeviceInfoList"), 1u);
    }
}

TEST(DeviceList, GetDeviceRejectsBadIndexesWithTheirMessages) {
    TestTree tree;
    TDeviceList list(false, false);
    ASSERT_EQ(list.Count(), 4);
    auto message = [&](int index) -> std::string {
        try {
            list.GetDevice(index);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message(4), "TDeviceList.GetDevice(4) from 4");
    EXPECT_EQ(message(5), "TDeviceList.GetDevice(5) from 4");
    EXPECT_EQ(message(-1), "List index out of bounds (-1)");
    EXPECT_THROW(list.GetDevice(-1), EListError);
    EXPECT_EQ(&list.GetDevice(3), &list.GetDevice(3));

    tree.machine.Unplug("USB\\ROOT_HUB30\\4&1");
    TDeviceList empty(false, false);
    EXPECT_EQ(empty.Count(), 0);
    try {
        empty.GetDevice(0);
        FAIL();
    } catch (const EDeviceError& e) {
        EXPECT_STREQ(e.what(), "TDeviceList.GetDevice(0) from 0");
    }
}

TEST(DeviceList, ReleasesBothSetsBeforeTheDevicesAndNothingStaysOpen) {
    TestTree tree;
    {
        TDeviceList list(true, false);
        // Parents and children open into the related set while the list lives.
        EXPECT_EQ(list.GetDevice(0).GetParentDevice().GetDescription(), "USB Composite Device");
        EXPECT_EQ(tree.machine.OpenSetCount(), 2u);
        tree.machine.ClearCalls();
    }
    auto destroyed = tree.machine.CallsOf("SetupDiDestroyDeviceInfoList");
    ASSERT_EQ(destroyed.size(), 2u);
    // Only the two sets are released; destroying the devices and parents calls nothing.
    EXPECT_EQ(tree.machine.Calls().size(), 2u);
    EXPECT_EQ(tree.machine.OpenSetCount(), 0u);
}

TEST(DeviceList, ADeviceThatCannotBeInspectedIsSkippedNotFatal) {
    TestTree tree;
    // The mouse collection of hid0 cannot be opened: hid0 no longer counts as a mouse.
    tree.machine.AddFault({"SetupDiOpenDeviceInfoA", 0, "HID\\VID_1111&PID_2222&MI_00\\7&1"});
    TDeviceList mice(true, false);
    EXPECT_EQ(mice.Count(), 0);
    tree.machine.ClearFaults();
    tree.machine.AddFault({"SetupDiGetClassDevsA", 0, kHidHub});
    TDeviceList all(false, true);
    // The hub test of the hub-like device failed, so it is not known as a hub and stays.
    EXPECT_EQ(all.Count(), 5);
}

}  // namespace device
