// Device information sets as handles: many live at once and destroyed in any order,
// destroyed sets whose storage is reused, and opens into sets that an enumeration
// filled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimTestHelpers.h"

using simtest::Blank;
using simtest::Plan;

namespace {

const char* const kHub = "USB\\ROOT_HUB\\4&1";

class SimSets : public ::testing::Test {
  protected:
    void SetUp() override {
        auto hub = Plan(kHub, sim::kClassUsb, "USB Root Hub");
        hub.interfaces = {sim::kInterfaceUsbHub};
        const DEVINST node = machine.AddDevice(hub);
        for (int i = 0; i < 40; ++i) {
            const std::string pid = "VID_1111&PID_" + std::to_string(1000 + i);
            ids.push_back("USB\\" + pid + "\\5&1");
            mice.push_back("HID\\" + pid + "\\6&1");
            const DEVINST device = machine.AddDevice(Plan(ids.back(), sim::kClassHid), node);
            machine.AddDevice(Plan(mice.back(), sim::kClassMouse), device);
        }
    }
    void TearDown() override { EXPECT_EQ(machine.OpenSetCount(), 0u); }

    sim::Machine machine;
    sim::ScopedMachine scope{machine};
    std::vector<std::string> ids;   // HID class, in tree order
    std::vector<std::string> mice;  // each below the HID device of the same index
};

TEST_F(SimSets, SetsDestroyedInAnyOrderLeaveTheOthersWhole) {
    std::vector<HDEVINFO> sets;
    for (int i = 0; i < 6; ++i) {
        sets.push_back(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
        SP_DEVINFO_DATA data = Blank();
        ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(sets.back(), ids[i].c_str(), nullptr, 0, &data));
    }
    for (const int gone : {3, 0, 5}) {
        EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(sets[gone]));
    }
    for (const int kept : {1, 2, 4}) {
        EXPECT_EQ(simtest::Members(sets[kept]), (std::vector<std::string>{ids[kept]})) << kept;
        EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(sets[kept]));
    }
    for (const HDEVINFO set : sets) {
        EXPECT_FALSE(plat::SetupDiDestroyDeviceInfoList(set));
    }
}

// An interface query's set is small and goes at once; the next set may take over its
// storage, but nothing of the old set may show through: not its elements, its class,
// its handle or its records.
TEST_F(SimSets, ANewSetStartsEmptyWhateverSetCameBefore) {
    for (int round = 0; round < 20; ++round) {
        HDEVINFO query = plat::SetupDiGetClassDevsA(&sim::kInterfaceUsbHub, kHub, nullptr,
                                                    DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        SP_DEVINFO_DATA hub = Blank();
        ASSERT_TRUE(plat::SetupDiEnumDeviceInfo(query, 0, &hub));
        HDEVINFO ofClass = plat::SetupDiCreateDeviceInfoList(&sim::kClassMouse, nullptr);
        ASSERT_TRUE(plat::SetupDiDestroyDeviceInfoList(query));
        ASSERT_TRUE(plat::SetupDiDestroyDeviceInfoList(ofClass));

        HDEVINFO next = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
        EXPECT_NE(next, query);
        EXPECT_EQ(machine.SetSize(next), 0u);
        EXPECT_FALSE(plat::SetupDiEnumDeviceInfo(next, 0, &hub));
        char id[128];
        EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(next, &hub, id, sizeof id, nullptr));
        EXPECT_FALSE(plat::SetupDiGetDeviceInstanceIdA(query, &hub, id, sizeof id, nullptr));
        // No class carried over from the mouse-class set: a HID device opens.
        SP_DEVINFO_DATA data = Blank();
        EXPECT_TRUE(plat::SetupDiOpenDeviceInfoA(next, ids[round].c_str(), nullptr, 0, &data));
        EXPECT_EQ(data.Reserved, 1u);
        EXPECT_EQ(simtest::InstanceId(next, data), ids[round]);
        EXPECT_TRUE(plat::SetupDiDestroyDeviceInfoList(next));
    }
}

TEST_F(SimSets, OpeningIntoAnEnumeratedSetFindsTheEnumeratedElements) {
    HDEVINFO list = plat::SetupDiGetClassDevsA(&sim::kClassHid, "USB", nullptr, DIGCF_PRESENT);
    ASSERT_EQ(simtest::Members(list), ids);
    for (std::size_t i = ids.size(); i-- > 0;) {
        SP_DEVINFO_DATA data = Blank();
        ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(list, ids[i].c_str(), nullptr, 0, &data));
        EXPECT_EQ(data.Reserved, i + 1) << ids[i];
    }
    EXPECT_EQ(machine.SetSize(list), ids.size());
    plat::SetupDiDestroyDeviceInfoList(list);
}

TEST_F(SimSets, ManyDevicesOpenedTwiceIntoOneSetKeepTheirFirstElements) {
    HDEVINFO related = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    std::vector<std::string> all = {kHub};
    for (std::size_t i = 0; i < ids.size(); ++i) {
        all.push_back(ids[i]);
        all.push_back(mice[i]);
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            SP_DEVINFO_DATA data = Blank();
            ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(related, all[i].c_str(), nullptr, 0, &data))
                << all[i];
            EXPECT_EQ(data.Reserved, i + 1) << all[i] << " pass " << pass;
        }
    }
    EXPECT_EQ(simtest::Members(related), all);
    plat::SetupDiDestroyDeviceInfoList(related);
}

}  // namespace
