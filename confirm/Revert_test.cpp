// Taking back an unconfirmed change on the simulated machine: the filter goes back in
// or out of the list with every other entry kept as it is now, the rate goes back, each
// write is told first, and a device that left is not restarted.
#include <gtest/gtest.h>

#include "confirm/Revert.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"

namespace {

const std::string kMouse = "USB\\VID_1111&PID_2222\\1";

struct RevertTest : ::testing::Test {
    sim::Machine m;
    sim::ScopedMachine use{m};
    std::vector<config::PlannedChange> recorded;
    int restarts = 0;

    RevertTest() {
        sim::DeviceSpec plan;
        plan.instanceId = kMouse;
        plan.classGuid = sim::kClassHid;
        plan.description = "Mouse";
        plan.hardwareKey = sim::RegKeyValues{};
        plan.driverKey = sim::RegKeyValues{};
        m.AddDevice(plan);
    }

    confirm::RevertResult Revert(const confirm::WatchedDevice& device, bool allow = true) {
        return confirm::RevertToStarted(
            device,
            [&](device::TDevice&, const config::PlannedChange& change) {
                recorded.push_back(change);
                return allow;
            },
            [&](device::TDevice&) {
                ++restarts;
                return restart::RestartOutcome{};
            });
    }
    static config::StoredSetting List(const std::string& bytes) {
        return {config::StoredSetting::State::Present, bytes};
    }
};

confirm::WatchedDevice Watched(confirm::DriveSettings started, confirm::DriveSettings changed) {
    confirm::WatchedDevice device;
    device.instanceId = kMouse;
    device.name = "Mouse";
    device.started = std::move(started);
    device.changed = std::move(changed);
    return device;
}

}  // namespace

TEST_F(RevertTest, TheFilterAndRateGoBackAndOtherEntriesStay) {
    // Started with "mfltx" and no rate; changed to the filter at 1000; since then another
    // program put "other" in the list.
    m.SetProperty(kMouse, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                  std::string("quorvin\0mfltx\0other\0\0", 21));
    m.Key(kMouse, DIREG_DRV)["bInterval"] = {REG_DWORD, std::string("\1\0\0\0", 4)};
    const auto device =
        Watched({List(std::string("mfltx\0\0", 7)), {}},
                {List(std::string("quorvin\0mfltx\0\0", 15)), List(std::string("\1\0\0\0", 4))});
    const confirm::RevertResult result = Revert(device);
    EXPECT_EQ(result.kind, confirm::RevertResult::Kind::Reverted);
    EXPECT_EQ(m.Property(kMouse, SPDRP_LOWERFILTERS)->data, std::string("mfltx\0other\0\0", 13));
    EXPECT_EQ(m.Key(kMouse, DIREG_DRV).count("bInterval"), 0u);
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0].setting, config::DeviceSetting::LowerFilters);
    EXPECT_EQ(recorded[1].setting, config::DeviceSetting::Rate);
    EXPECT_EQ(recorded[1].after.state, config::StoredSetting::State::Absent);
    EXPECT_TRUE(result.restarted);
    EXPECT_EQ(restarts, 1);
    EXPECT_NE(confirm::DescribeRevert(device, result, false)
                  .find("put back as they were: filter off, rate Default (instead of filter on, "
                        "rate 1000)"),
              std::string::npos);
}

TEST_F(RevertTest, ARefusedRecordStopsAndAGoneDeviceIsLeftAlone) {
    m.Key(kMouse, DIREG_DRV)["bInterval"] = {REG_DWORD, std::string("\1\0\0\0", 4)};
    const auto device = Watched({}, {{}, List(std::string("\1\0\0\0", 4))});
    EXPECT_EQ(Revert(device, false).kind, confirm::RevertResult::Kind::Stopped);
    EXPECT_EQ(m.Key(kMouse, DIREG_DRV).count("bInterval"), 1u);
    EXPECT_EQ(restarts, 0);

    // Unplugged: the settings go back for its next start, and nothing is restarted.
    m.Unplug(kMouse);
    const confirm::RevertResult unplugged = Revert(device);
    EXPECT_EQ(unplugged.kind, confirm::RevertResult::Kind::Reverted);
    EXPECT_FALSE(unplugged.restarted);
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(m.Key(kMouse, DIREG_DRV).count("bInterval"), 0u);
    EXPECT_NE(confirm::DescribeRevert(device, unplugged, true).find("not plugged in now"),
              std::string::npos);
}
