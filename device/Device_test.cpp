#include "device/Device.h"

#include <gtest/gtest.h>

#include "device/DevInfo.h"
#include "device/DevInfoSetHandle.h"
#include "device/DeviceTestTree.h"
#include "device/Errors.h"
#include "platform/Platform.h"

namespace device {

namespace {

// A device object for one node, in a set of its own, as the list would make it.
struct Opened {
    DevInfoSetHandle set{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    DevInfoSetHandle related{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    std::unique_ptr<TDevice> device;

    explicit Opened(DEVINST node) {
        SP_DEVINFO_DATA element{};
        if (!GetDevInfoByDevInst(set.get(), element, node)) {
            throw std::runtime_error("cannot open test device");
        }
        device = std::make_unique<TDevice>(set.get(), element, related.get());
    }
    TDevice* operator->() { return device.get(); }
};

}  // namespace

TEST(Device, ReadsItsOwnProperties) {
    TestTree tree;
    Opened hid0(tree.hid0);
    EXPECT_EQ(hid0->GetDescription(), "USB Input Device");
    EXPECT_EQ(hid0->GetInstanceId(), "USB\\VID_1111&PID_2222&MI_00\\6&1");

    // Two hardware IDs come back with the NUL after each, without the closing NUL.
    tree.machine.SetProperty("USB\\VID_1111&PID_2222&MI_00\\6&1", SPDRP_HARDWAREID, REG_MULTI_SZ,
                             std::string("A\0BB\0\0", 6));
    EXPECT_EQ(hid0->GetHardwareIds(), std::string("A\0BB\0", 5));

    tree.machine.RemoveProperty("USB\\VID_1111&PID_2222&MI_00\\6&1", SPDRP_DEVICEDESC);
    EXPECT_EQ(hid0->GetDescription(), "");
}

TEST(Device, ParentIsMadeOnceAndOwnedByTheChild) {
    TestTree tree;
    Opened mouse(tree.mouse);
    TDevice& parent = mouse->GetParentDevice();
    EXPECT_EQ(parent.GetDescription(), "USB Input Device");
    // The parent lives in the child's related set and opens its own relatives there.
    EXPECT_EQ(parent.DevInfoSet, mouse->RelatedSet);
    EXPECT_EQ(parent.RelatedSet, mouse->RelatedSet);

    tree.machine.ClearCalls();
    EXPECT_EQ(&mouse->GetParentDevice(), &parent);
    EXPECT_TRUE(tree.machine.Calls().empty()) << "second request makes no platform call";

    TDevice& grandparent = parent.GetParentDevice();
    EXPECT_EQ(grandparent.GetDescription(), "USB Composite Device");
    EXPECT_EQ(grandparent.DevInfoSet, mouse->RelatedSet);
}

TEST(Device, AParentThatCannotBeOpenedRaisesEveryTimeAndIsNotCached) {
    TestTree tree;
    Opened root(tree.root);
    EXPECT_EQ(root->GetParentDevInst(), 0u);
    EXPECT_EQ(root->GetParentName(), "");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            root->GetParentDevice();
            FAIL() << "a root has no parent";
        } catch (const EDeviceError& e) {
            EXPECT_STREQ(e.what(), "GetParentDevice.GetDevInfoByDevInst");
        }
    }

    Opened hid0(tree.hid0);
    tree.machine.AddFault({"SetupDiOpenDeviceInfoA", 1});
    EXPECT_THROW(hid0->GetParentDevice(), EDeviceError);
    // The next call tries again and succeeds.
    EXPECT_EQ(hid0->GetParentDevice().GetDescription(), "USB Composite Device");
}

TEST(Device, NamesOfChildrenFollowTheSeparatorRules) {
    TestTree tree;
    Opened composite(tree.composite);
    EXPECT_EQ(composite->GetChildNames(), "USB Input Device; USB Input Device");
    EXPECT_EQ(composite->GetParentName(), "USB Root Hub");

    Opened mouse(tree.mouse);
    EXPECT_EQ(mouse->GetChildNames(), "");
    EXPECT_FALSE(mouse->IsMouseParent());

    const std::string first = "USB\\VID_1111&PID_2222&MI_00\\6&1";
    const std::string second = "USB\\VID_1111&PID_2222&MI_01\\6&2";
    // An empty first name adds nothing: the second name follows without a separator.
    tree.machine.RemoveProperty(first, SPDRP_DEVICEDESC);
    EXPECT_EQ(composite->GetChildNames(), "USB Input Device");
    // Once the text is not empty, an empty name still adds "; ".
    tree.machine.SetProperty(first, SPDRP_DEVICEDESC, REG_SZ, std::string("One\0", 4));
    tree.machine.RemoveProperty(second, SPDRP_DEVICEDESC);
    EXPECT_EQ(composite->GetChildNames(), "One; ");
    // A child that cannot be opened is skipped with no separator for it.
    tree.machine.AddFault({"SetupDiOpenDeviceInfoA", 0, first});
    EXPECT_EQ(composite->GetChildNames(), "");
    EXPECT_EQ(composite->GetNamesOf({0, tree.hidhub, 0}), "Hub-like HID");
}

TEST(Device, MouseAndHubTests) {
    TestTree tree;
    Opened hid0(tree.hid0), hid1(tree.hid1), deep(tree.deep), hidhub(tree.hidhub);
    EXPECT_TRUE(hid0->IsMouseParent());
    EXPECT_FALSE(hid1->IsMouseParent());
    EXPECT_FALSE(deep->IsMouseParent()) << "a grandchild mouse does not count";

    tree.machine.ClearCalls();
    EXPECT_TRUE(hidhub->IsHub());
    auto query = tree.machine.CallsOf("SetupDiGetClassDevsA");
    ASSERT_EQ(query.size(), 1u);
    EXPECT_EQ(query[0].args,
              "class={F18A0E88-C30C-11D0-8815-00A0C906BED8} enum=USB\\VID_3333&PID_4444\\5&2 "
              "hwnd=0 flags=0x12");
    EXPECT_FALSE(hid0->IsHub());
    // An instance ID that cannot be read gives false without an interface query.
    tree.machine.ClearCalls();
    tree.machine.AddFault({"SetupDiGetDeviceInstanceIdA"});
    EXPECT_FALSE(hidhub->IsHub());
    EXPECT_EQ(tree.machine.CountCalls("SetupDiGetClassDevsA"), 0u);
}

TEST(Device, DestroyingADeviceMakesNoPlatformCall) {
    TestTree tree;
    auto opened = std::make_unique<Opened>(tree.mouse);
    (*opened)->GetParentDevice().GetParentDevice();
    tree.machine.ClearCalls();
    opened->device.reset();
    EXPECT_TRUE(tree.machine.Calls().empty());
}

}  // namespace device
