#include "device/DevInfo.h"

#include <gtest/gtest.h>

#include "device/DevInfoSetHandle.h"
#include "device/DeviceTestTree.h"
#include "platform/Platform.h"

namespace {
// The arguments of a logged call without the leading "set=N ", which names the set
// by the order in which the machine created it.
std::string WithoutSet(const std::string& args) {
    return args.rfind("set=", 0) == 0 ? args.substr(args.find(' ') + 1) : args;
}
}  // namespace

TEST(DevInfo, ReadsUseTheFullBufferAndCutTheTerminator) {
    TestTree tree;
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), element, tree.hid0));
    EXPECT_EQ(element.cbSize, sizeof(SP_DEVINFO_DATA));

    tree.machine.ClearCalls();
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "USB Input Device");
    EXPECT_EQ(WithoutSet(tree.machine.CallsOf("SetupDiGetDeviceRegistryPropertyA").at(0).args),
              "property=0x0 size=32768");
    EXPECT_EQ(ReadInstanceId(set.get(), element), "USB\\VID_1111&PID_2222&MI_00\\6&1");
    EXPECT_EQ(WithoutSet(tree.machine.CallsOf("SetupDiGetDeviceInstanceIdA").at(0).args),
              "size=32768");

    // A value that does not fit the 32768-byte buffer reads as empty, not truncated.
    const std::string id = "USB\\VID_1111&PID_2222&MI_00\\6&1";
    tree.machine.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, std::string(32768, 'x') + '\0');
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "");
    tree.machine.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, std::string(32767, 'x') + '\0');
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC).size(), 32767u);
    // A success reporting zero bytes reads as empty.
    tree.machine.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, "");
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "");
}

TEST(DevInfo, OpeningANodePassesTheExactArguments) {
    TestTree tree;
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), element, tree.mouse));
    const std::string id = "HID\\VID_1111&PID_2222&MI_00\\7&1";
    EXPECT_EQ(tree.machine.CallsOf("CM_Get_Device_ID_Size").at(0).args,
              "node=" + std::to_string(tree.mouse) + " flags=0x0");
    EXPECT_EQ(tree.machine.CallsOf("CM_Get_Device_IDA").at(0).args,
              "node=" + std::to_string(tree.mouse) + " size=" + std::to_string(id.size() + 1) +
                  " flags=0x0");
    EXPECT_EQ(WithoutSet(tree.machine.CallsOf("SetupDiOpenDeviceInfoA").at(0).args),
              "id=" + id + " hwnd=0 flags=0x0 cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA)));
    // Opening the same device again gives the same element and does not grow the set.
    SP_DEVINFO_DATA again{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), again, tree.mouse));
    EXPECT_EQ(again.Reserved, element.Reserved);
    EXPECT_EQ(tree.machine.SetSize(set.get()), 1u);
}

TEST(DevInfo, NodeZeroAndStaleNodesFailWithoutChangingTheSet) {
    TestTree tree;
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    tree.machine.ClearCalls();
    EXPECT_FALSE(GetDevInfoByDevInst(set.get(), element, 0));
    EXPECT_TRUE(tree.machine.Calls().empty()) << "node 0 is not asked about";
    const DEVINST old = tree.mouse;
    tree.machine.Unplug("HID\\VID_1111&PID_2222&MI_00\\7&1");
    EXPECT_FALSE(GetDevInfoByDevInst(set.get(), element, old));
    EXPECT_EQ(tree.machine.SetSize(set.get()), 0u);
}

TEST(DevInfo, InterfaceQueryAnswersAndAlwaysReleasesItsSet) {
    TestTree tree;
    tree.machine.ClearCalls();
    EXPECT_FALSE(HasDeviceInterface("", sim::kInterfaceUsbHub));
    EXPECT_TRUE(tree.machine.Calls().empty()) << "empty ID asks nothing";

    EXPECT_TRUE(HasDeviceInterface("USB\\ROOT_HUB30\\4&1", sim::kInterfaceUsbHub));
    EXPECT_FALSE(HasDeviceInterface("USB\\VID_1111&PID_2222\\5&1", sim::kInterfaceUsbHub));
    // An ID that names no device fails the query itself, which leaves no set.
    EXPECT_FALSE(HasDeviceInterface("USB\\NO_SUCH\\1", sim::kInterfaceUsbHub));
    EXPECT_EQ(tree.machine.CountCalls("SetupDiDestroyDeviceInfoList"), 2u);

    tree.machine.AddFault({"SetupDiEnumDeviceInfo"});
    EXPECT_FALSE(HasDeviceInterface("USB\\ROOT_HUB30\\4&1", sim::kInterfaceUsbHub));
    tree.machine.ClearFaults();
    tree.machine.AddFault({"SetupDiGetClassDevsA"});
    EXPECT_FALSE(HasDeviceInterface("USB\\ROOT_HUB30\\4&1", sim::kInterfaceUsbHub));
    EXPECT_EQ(tree.machine.OpenSetCount(), 0u);
}
