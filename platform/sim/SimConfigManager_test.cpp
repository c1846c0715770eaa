// The configuration manager's view of the tree: instance IDs of nodes and parent,
// child and sibling steps, with node 0, unknown nodes and changes of the tree.
#include <gtest/gtest.h>

#include "platform/sim/SimTestHelpers.h"

using simtest::Plan;

namespace {

class SimConfigManager : public ::testing::Test {
  protected:
    void SetUp() override {
        root = machine.AddDevice(Plan("USB\\ROOT_HUB\\4&1", sim::kClassUsb));
        first = machine.AddDevice(Plan("USB\\VID_0001&PID_0001\\5&1", sim::kClassHid), root);
        second = machine.AddDevice(Plan("USB\\VID_0002&PID_0002\\5&2", sim::kClassHid), root);
        third = machine.AddDevice(Plan("USB\\VID_0003&PID_0003\\5&3", sim::kClassHid), root);
        grandchild =
            machine.AddDevice(Plan("HID\\VID_0002&PID_0002\\6&1", sim::kClassMouse), second);
    }

    std::vector<DEVINST> Children(DEVINST node) {
        std::vector<DEVINST> children;
        DEVINST child = 0;
        if (plat::CM_Get_Child(&child, node, 0) != CR_SUCCESS) {
            return children;
        }
        do {
            children.push_back(child);
        } while (plat::CM_Get_Sibling(&child, child, 0) == CR_SUCCESS);
        return children;
    }

    std::string IdOf(DEVINST node) {
        ULONG length = 0;
        if (plat::CM_Get_Device_ID_Size(&length, node, 0) != CR_SUCCESS) {
            return "<failed>";
        }
        std::string id(length + 1, '\0');
        if (plat::CM_Get_Device_IDA(node, id.data(), length + 1, 0) != CR_SUCCESS) {
            return "<failed>";
        }
        id.resize(length);
        return id;
    }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
    DEVINST root = 0, first = 0, second = 0, third = 0, grandchild = 0;
};

TEST_F(SimConfigManager, ChildrenComeInOrderAndParentsLeadUp) {
    EXPECT_EQ(Children(root), (std::vector<DEVINST>{first, second, third}));
    EXPECT_EQ(Children(second), (std::vector<DEVINST>{grandchild}));
    EXPECT_TRUE(Children(first).empty());
    DEVINST parent = 0;
    ASSERT_EQ(plat::CM_Get_Parent(&parent, grandchild, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(parent, second);
    EXPECT_EQ(IdOf(grandchild), "HID\\VID_0002&PID_0002\\6&1");
}

TEST_F(SimConfigManager, FailuresLeaveTheOutParameterAlone) {
    DEVINST out = 4242;
    EXPECT_NE(plat::CM_Get_Parent(&out, root, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_NE(plat::CM_Get_Child(&out, first, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_NE(plat::CM_Get_Sibling(&out, third, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    for (const DEVINST bad : {DEVINST{0}, DEVINST{1}, DEVINST{0xDEAD}}) {
        EXPECT_NE(plat::CM_Get_Parent(&out, bad, 0), static_cast<CONFIGRET>(CR_SUCCESS));
        EXPECT_NE(plat::CM_Get_Child(&out, bad, 0), static_cast<CONFIGRET>(CR_SUCCESS));
        EXPECT_NE(plat::CM_Get_Sibling(&out, bad, 0), static_cast<CONFIGRET>(CR_SUCCESS));
        ULONG length = 77;
        EXPECT_NE(plat::CM_Get_Device_ID_Size(&length, bad, 0), static_cast<CONFIGRET>(CR_SUCCESS));
        EXPECT_EQ(length, 77u);
    }
    EXPECT_EQ(out, 4242u);
    EXPECT_EQ(plat::CM_Get_Parent(&out, first, 1), static_cast<CONFIGRET>(CR_INVALID_FLAG));
    EXPECT_EQ(plat::CM_Get_Parent(nullptr, first, 0), static_cast<CONFIGRET>(CR_INVALID_POINTER));
    EXPECT_EQ(out, 4242u);
}

TEST_F(SimConfigManager, DeviceIdNeedsRoomForItsTerminator) {
    const std::string id = "USB\\VID_0001&PID_0001\\5&1";
    ULONG length = 0;
    ASSERT_EQ(plat::CM_Get_Device_ID_Size(&length, first, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(length, id.size());
    std::string buffer(64, 'x');
    EXPECT_EQ(plat::CM_Get_Device_IDA(first, buffer.data(), length, 0),
              static_cast<CONFIGRET>(CR_BUFFER_SMALL));
    EXPECT_EQ(buffer[0], 'x');
    ASSERT_EQ(plat::CM_Get_Device_IDA(first, buffer.data(), length + 1, 0),
              static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(std::string(buffer.c_str()), id);
}

// Reading an ID and opening the device by it is the usual order of calls; opening any
// other ID, or a near one, in between or afterwards must still find exactly that device.
TEST_F(SimConfigManager, OpeningByIdFindsTheNamedDeviceWhateverIdWasReadBefore) {
    HDEVINFO set = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    auto open = [&](const std::string& id) {
        SP_DEVINFO_DATA data = simtest::Blank();
        return plat::SetupDiOpenDeviceInfoA(set, id.c_str(), nullptr, 0, &data) ? data.DevInst
                                                                                : DEVINST{0};
    };
    const std::string firstId = IdOf(first);
    EXPECT_EQ(open(IdOf(second)), second);
    EXPECT_EQ(IdOf(third), "USB\\VID_0003&PID_0003\\5&3");
    EXPECT_EQ(open(firstId), first);
    EXPECT_EQ(open("usb\\vid_0003&pid_0003\\5&3"), third);
    EXPECT_EQ(IdOf(third), "USB\\VID_0003&PID_0003\\5&3");
    EXPECT_EQ(open("USB\\VID_0003&PID_0003\\5&"), 0u);
    EXPECT_EQ(open("USB\\VID_0003&PID_0003\\5&3 "), 0u);
    EXPECT_EQ(open("USB\\VID_0003&PID_0003\\5&4"), 0u);
    char id[64];
    SP_DEVINFO_DATA data = simtest::Blank();
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(set, firstId.c_str(), nullptr, 0, &data));
    ASSERT_TRUE(plat::SetupDiGetDeviceInstanceIdA(set, &data, id, sizeof id, nullptr));
    EXPECT_EQ(open("HID\\VID_0002&PID_0002\\6&1"), grandchild);
    EXPECT_EQ(open(id), first);
    plat::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SimConfigManager, RestartRenumbersTheSubtreeInItsPlace) {
    machine.Restart("USB\\VID_0002&PID_0002\\5&2");
    const DEVINST renewed = machine.NodeOf("USB\\VID_0002&PID_0002\\5&2");
    const DEVINST renewedChild = machine.NodeOf("HID\\VID_0002&PID_0002\\6&1");
    EXPECT_NE(renewed, second);
    EXPECT_NE(renewedChild, grandchild);
    EXPECT_EQ(Children(root), (std::vector<DEVINST>{first, renewed, third}));
    EXPECT_EQ(Children(renewed), (std::vector<DEVINST>{renewedChild}));
    DEVINST parent = 0;
    ASSERT_EQ(plat::CM_Get_Parent(&parent, renewedChild, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_EQ(parent, renewed);
    EXPECT_EQ(IdOf(second), "<failed>");
    EXPECT_EQ(IdOf(grandchild), "<failed>");

    // The first and the last child restart in place as well.
    machine.Restart("USB\\VID_0001&PID_0001\\5&1");
    machine.Restart("USB\\VID_0003&PID_0003\\5&3");
    EXPECT_EQ(Children(root),
              (std::vector<DEVINST>{machine.NodeOf("USB\\VID_0001&PID_0001\\5&1"), renewed,
                                    machine.NodeOf("USB\\VID_0003&PID_0003\\5&3")}));
    machine.Restart("USB\\ROOT_HUB\\4&1");
    EXPECT_EQ(Children(machine.NodeOf("USB\\ROOT_HUB\\4&1")).size(), 3u);
}

TEST_F(SimConfigManager, UnpluggedNodesBecomeUnknownAndPhantomsStayOutsideTheTree) {
    machine.Unplug("USB\\VID_0002&PID_0002\\5&2");
    EXPECT_EQ(Children(root), (std::vector<DEVINST>{first, third}));
    EXPECT_EQ(IdOf(grandchild), "<failed>");
    EXPECT_EQ(machine.NodeOf("HID\\VID_0002&PID_0002\\6&1"), 0u);

    // The phantom's own node (from an element) knows its ID but has no place in the tree.
    SP_DEVINFO_DATA data;
    HDEVINFO set = simtest::OpenAlone("USB\\VID_0002&PID_0002\\5&2", data);
    ASSERT_NE(data.DevInst, 0u);
    EXPECT_EQ(IdOf(data.DevInst), "USB\\VID_0002&PID_0002\\5&2");
    DEVINST out = 0;
    EXPECT_NE(plat::CM_Get_Parent(&out, data.DevInst, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    EXPECT_NE(plat::CM_Get_Child(&out, data.DevInst, 0), static_cast<CONFIGRET>(CR_SUCCESS));
    plat::SetupDiDestroyDeviceInfoList(set);

    // Plugged again, it takes a new place at the end and gets its new plan's data.
    machine.Plug(Plan("USB\\VID_0002&PID_0002\\5&2", sim::kClassHid, "Back again"), root);
    EXPECT_EQ(Children(root).back(), machine.NodeOf("USB\\VID_0002&PID_0002\\5&2"));
    EXPECT_TRUE(machine.Property("USB\\VID_0002&PID_0002\\5&2", SPDRP_DEVICEDESC).has_value());
}

TEST_F(SimConfigManager, BuilderRefusesImpossibleTrees) {
    EXPECT_THROW(machine.AddDevice(Plan("usb\\root_hub\\4&1", sim::kClassUsb)),
                 std::invalid_argument);
    EXPECT_THROW(machine.AddDevice(Plan("USB\\X\\1", sim::kClassUsb), 0xDEAD),
                 std::invalid_argument);
    EXPECT_THROW(machine.Reparent("USB\\ROOT_HUB\\4&1", grandchild), std::invalid_argument);
    EXPECT_THROW(machine.Unplug("USB\\NO_SUCH\\0"), std::out_of_range);
    machine.Reparent("HID\\VID_0002&PID_0002\\6&1", first);
    EXPECT_EQ(Children(first), (std::vector<DEVINST>{grandchild}));
    EXPECT_TRUE(Children(second).empty());
}

}  // namespace
