#include "device/DevInfo.h"

#include <gtest/gtest.h>

#include "device/DevInfoSetHandle.h"
#include "device/DeviceTestTree.h"
#include "platform/Platform.h"

namespace device {

namespace {
// The arguments of a logged call without the leading "set=N ", which names the set
// by the order in which the machine created it.
std::string WithoutSet(const std::string& args) {
    return args.rfind("set=", 0) == 0 ? args.substr(args.find(' ') + 1) : args;
}
}  // namespace

TEST(DevInfo, ReadsCutTheTerminatorAndTryASmallBufferFirst) {
    TestTree tree;
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), element, tree.hid0));
    EXPECT_EQ(element.cbSize, sizeof(SP_DEVINFO_DATA));

    tree.machine.ClearCalls();
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "USB Input Device");
    EXPECT_EQ(ReadInstanceId(set.get(), element), "USB\\VID_1111&PID_2222&MI_00\\6&1");
    ASSERT_EQ(tree.machine.Calls().size(), 2u) << "a short value takes one call";
    EXPECT_EQ(WithoutSet(tree.machine.Calls().at(0).args), "property=0x0 size=1024");
    EXPECT_EQ(WithoutSet(tree.machine.Calls().at(1).args), "size=1024");

    // A multi-string keeps the NUL after every entry and loses only the closing one.
    const std::string id = "USB\\VID_1111&PID_2222&MI_00\\6&1";
    tree.machine.SetProperty(id, SPDRP_HARDWAREID, REG_MULTI_SZ, std::string("A\0B\0\0", 5));
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_HARDWAREID), std::string("A\0B\0", 4));
    // A success reporting zero bytes reads as empty, and so does a missing property.
    tree.machine.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, "");
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "");
    tree.machine.RemoveProperty(id, SPDRP_DEVICEDESC);
    tree.machine.ClearCalls();
    EXPECT_EQ(ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC), "");
    EXPECT_EQ(tree.machine.Calls().size(), 1u);
}

TEST(DevInfo, ValuesUpTo32768BytesReadWholeAndLongerOnesReadEmpty) {
    TestTree tree;
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), element, tree.hid0));
    const std::string id = "USB\\VID_1111&PID_2222&MI_00\\6&1";
    // Stored sizes count the terminator; each case: stored bytes, calls made.
    struct Case {
        std::size_t stored;
        std::size_t calls;
    };
    for (const Case c :
         {Case{1024, 1}, Case{1025, 2}, Case{32768, 2}, Case{32769, 1}, Case{100000, 1}}) {
        SCOPED_TRACE(c.stored);
        std::string text(c.stored - 1, 'x');
        text[0] = 'a';
        text.back() = 'z';
        tree.machine.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, text + '\0');
        tree.machine.ClearCalls();
        const std::string read = ReadPropertyString(set.get(), element, SPDRP_DEVICEDESC);
        EXPECT_EQ(read, c.stored <= 32768 ? text : std::string());
        ASSERT_EQ(tree.machine.Calls().size(), c.calls);
        if (c.calls == 2) {
            EXPECT_EQ(WithoutSet(tree.machine.Calls().at(1).args), "property=0x0 size=32768");
        }
    }
}

TEST(DevInfo, ALongInstanceIdIsReadAgainThroughTheFullBuffer) {
    TestTree tree;
    const std::string id = "USB\\VID_1111&PID_2222\\" + std::string(2000, '7');
    const DEVINST node = tree.machine.AddDevice(TestTree::Plan(id.c_str(), sim::kClassHid, "Long"));
    DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    ASSERT_TRUE(GetDevInfoByDevInst(set.get(), element, node));
    tree.machine.ClearCalls();
    EXPECT_EQ(ReadInstanceId(set.get(), element), id);
    ASSERT_EQ(tree.machine.Calls().size(), 2u);
    EXPECT_EQ(WithoutSet(tree.machine.Calls().at(1).args), "size=32768");
    // A stale element fails both ways and reads empty after one call.
    tree.machine.Unplug(id);
    tree.machine.ClearCalls();
    EXPECT_EQ(ReadInstanceId(set.get(), element), "");
    EXPECT_EQ(tree.machine.Calls().size(), 1u);
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

}  // namespace device
