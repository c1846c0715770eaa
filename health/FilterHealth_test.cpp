// The health view's model: which devices carry the filter, present or not, how each
// is, and taking the filter off the broken ones without losing another entry.
#include "health/FilterHealth.h"

#include <gtest/gtest.h>

#include "restart/Restart.h"
#include "device/Device.h"
#include "health/FilterRepair.h"
#include "platform/Platform.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace health {

namespace {

const std::string kBroken = "USB\\VID_0001&PID_0001\\5&1&0&1";   // filter, problem 39
const std::string kWorking = "USB\\VID_0002&PID_0002\\5&1&0&2";  // filter in capitals
const std::string kAway = "USB\\VID_0003&PID_0003\\5&1&0&3";     // filter, not plugged in
const std::string kOther = "USB\\VID_0004&PID_0004\\5&1&0&4";    // another filter only
const std::string kBrokenList = sim::MultiString({"mfltx", "quorvin", "upper2"});

class FilterHealthTest : public ::testing::Test {
  protected:
    sim::Machine m;
    sim::ScopedMachine use{m};
    sim::System& system = m.system();

    FilterHealthTest() {
        Add(kBroken, "Broken pad", true, {"mfltx", "quorvin", "upper2"});
        Add(kWorking, "Working mouse", true, {"QUORVIN"});
        Add(kAway, "Away mouse", false, {"quorvin"});
        Add(kOther, "Other mouse", true, {"mfltx"});
        for (const char* service : {"quorvin", "mfltx", "upper2"}) {
            sim::InstallDriverService(m, service);
        }
        system.problems[kBroken] = CM_PROB_DRIVER_FAILED_LOAD;
    }
    void TearDown() override {
        EXPECT_EQ(m.OpenSetCount(), 0u);
        EXPECT_EQ(m.OpenKeyCount(), 0u);
        EXPECT_TRUE(system.serviceHandles.empty());
    }

    void Add(const std::string& id, const char* name, bool present,
             const std::vector<std::string>& filters) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = sim::kClassHid;
        plan.description = name;
        plan.present = present;
        m.AddDevice(plan);
        m.SetProperty(id, SPDRP_LOWERFILTERS, REG_MULTI_SZ, sim::MultiString(filters));
    }
    std::string Filters(const std::string& id) const {
        const auto value = m.Property(id, SPDRP_LOWERFILTERS);
        return value ? value->data : "<none>";
    }
    const FilteredDevice* Find(const FilterHealth& health, const std::string& id) {
        for (const FilteredDevice& device : health.devices) {
            if (device.instanceId == id) {
                return &device;
            }
        }
        return nullptr;
    }
};

// A restart as the window makes it, counting the calls.
struct CountingRestart {
    int calls = 0;
    restart::RestartOutcome operator()(device::TDevice& device) {
        ++calls;
        return restart::RequestDeviceRestart(device, nullptr);
    }
};

}  // namespace

TEST_F(FilterHealthTest, ListsEveryDeviceWithTheFilterPresentOrNotWithItsState) {
    const FilterHealth health = ReadFilterHealth();
    ASSERT_TRUE(health.listed);
    // Every class, not only the present devices.
    EXPECT_EQ(m.CallsOf("SetupDiGetClassDevsA").at(0).args, "class=null enum=USB hwnd=0 flags=0x4");
    ASSERT_EQ(health.devices.size(), 3u) << "the device without the filter is left out";
    EXPECT_EQ(health.devices[0].instanceId, kBroken);
    EXPECT_EQ(health.devices[0].description, "Broken pad");
    EXPECT_EQ(health.devices[0].condition, FilterCondition::Problem);
    EXPECT_NE(ConditionText(health.devices[0]).find("problem 39, Windows cannot load"),
              std::string::npos);
    EXPECT_EQ(health.devices[1].condition, FilterCondition::Working);
    EXPECT_EQ(health.devices[2].instanceId, kAway);
    EXPECT_EQ(health.devices[2].condition, FilterCondition::NotPresent);
    EXPECT_EQ(ConditionText(health.devices[2]), "not present");
    EXPECT_EQ(health.RepairableCount(), 1);
    EXPECT_EQ(DriverText(health.driver), "The QUORVIN driver is installed.");
}

TEST_F(FilterHealthTest, WhatTheDriverStateMeansForDevicesNotPlugggedIn) {
    // The driver's file is gone: the absent device would fail when plugged in.
    std::erase(m.files, system.ImageFile(*system.FindService("quorvin")));
    FilterHealth health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kAway)->condition, FilterCondition::WillNotStart);
    EXPECT_EQ(health.RepairableCount(), 2);
    EXPECT_NE(DriverText(health.driver).find("is missing"), std::string::npos);

    // Whether it can load is unknown: an absent device is not called broken, while a
    // present one that reports its problem still is.
    system.FindService("quorvin")->deniedAccess = SERVICE_QUERY_CONFIG;
    health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kAway)->condition, FilterCondition::NotPresent);
    EXPECT_EQ(Find(health, kBroken)->condition, FilterCondition::Problem);
    EXPECT_EQ(health.RepairableCount(), 1);
    EXPECT_EQ(DriverText(health.driver),
              "The state of the QUORVIN driver could not be read (error 5).");

    // A present device whose status cannot be read is not called broken either.
    m.AddFault({"CM_Get_DevNode_Status", 0, kBroken});
    health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kBroken)->condition, FilterCondition::StateUnknown);
    EXPECT_EQ(health.RepairableCount(), 0);
}

TEST_F(FilterHealthTest, RepairKeepsTheOtherEntriesRestartsAndTellsTheChangeFirst) {
    std::vector<config::PlannedChange> told;
    CountingRestart restart;
    const FilterRepair repair = RemoveFilterFrom(
        kBroken,
        [&](device::TDevice& device, const config::PlannedChange& change) {
            EXPECT_EQ(device.GetInstanceId(), kBroken);
            EXPECT_EQ(Filters(kBroken), kBrokenList) << "told before the write";
            told.push_back(change);
            return true;
        },
        std::ref(restart));
    EXPECT_EQ(repair.kind, FilterRepair::Kind::Removed);
    EXPECT_EQ(Filters(kBroken), sim::MultiString({"mfltx", "upper2"}));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].setting, config::DeviceSetting::LowerFilters);
    EXPECT_EQ(told[0].before.bytes, kBrokenList);
    EXPECT_EQ(told[0].after.bytes, sim::MultiString({"mfltx", "upper2"}));
    EXPECT_EQ(restart.calls, 1);
    EXPECT_EQ(m.restarts, std::vector<std::string>{kBroken});
    EXPECT_TRUE(repair.restarted);
    EXPECT_FALSE(repair.after.HasProblem()) << "started without the filter";
    FilteredDevice shown{kBroken, "Broken pad", {}, FilterCondition::Problem, {}};
    EXPECT_EQ(DescribeRepair(shown, repair),
              "Broken pad (" + kBroken + "): filter removed; the device works again.");
}

TEST_F(FilterHealthTest, ADeviceNotPluggedInLosesTheFilterWithoutARestart) {
    CountingRestart restart;
    const FilterRepair repair = RemoveFilterFrom(kAway, {}, std::ref(restart));
    EXPECT_EQ(repair.kind, FilterRepair::Kind::Removed);
    EXPECT_EQ(Filters(kAway), "<none>") << "the list held the filter alone";
    EXPECT_EQ(restart.calls, 0);
    EXPECT_FALSE(repair.restarted);
    FilteredDevice shown{kAway, "", {}, FilterCondition::WillNotStart, {}};
    EXPECT_NE(DescribeRepair(shown, repair)
                  .find("Device (" + kAway +
                        "): filter removed; the "
                        "device will start without it"),
              std::string::npos);
}

TEST_F(FilterHealthTest, WhatIsNotRepairedSaysSoAndChangesNothing) {
    CountingRestart restart;
    // Refused by the journal's hook.
    FilterRepair repair = RemoveFilterFrom(
        kBroken, [](device::TDevice&, const config::PlannedChange&) { return false; },
        std::ref(restart));
    EXPECT_EQ(repair.kind, FilterRepair::Kind::Stopped);
    EXPECT_EQ(Filters(kBroken), kBrokenList);

    // A write that fails is found by reading the list back.
    m.AddFault({"SetupDiSetDeviceRegistryPropertyA"});
    repair = RemoveFilterFrom(kBroken, {}, std::ref(restart));
    EXPECT_EQ(repair.kind, FilterRepair::Kind::NotRemoved);
    m.ClearFaults();

    // Gone from Windows altogether.
    repair = RemoveFilterFrom("USB\\VID_9999&PID_9999\\1", {}, std::ref(restart));
    EXPECT_EQ(repair.kind, FilterRepair::Kind::Gone);
    EXPECT_EQ(restart.calls, 0);

    // The filter removed, but the device keeps failing: said with its problem.
    system.services.erase(system.services.begin() + 1);  // mfltx's service is gone too
    repair = RemoveFilterFrom(kBroken, {}, std::ref(restart));
    EXPECT_TRUE(repair.after.HasProblem());
    FilteredDevice shown{kBroken, "Broken pad", {}, FilterCondition::Problem, {}};
    EXPECT_NE(DescribeRepair(shown, repair).find("still does not start (problem 39"),
              std::string::npos);
}

TEST(FilterHealthDemo, TheDemoMachineShowsTheGamePadToRepair) {
    sim::Machine m;
    sim::ScopedMachine use{m};
    sim::BuildDemoMachine(m);
    const FilterHealth health = ReadFilterHealth();
    ASSERT_EQ(health.RepairableCount(), 1);
    for (const FilteredDevice& device : health.devices) {
        EXPECT_EQ(device.Repairable(), device.instanceId == "USB\\VID_046D&PID_C21D\\5&2D7E1F3&0&3")
            << device.instanceId;
    }
    EXPECT_EQ(health.devices.size(), 2u) << "the plain mouse and the game pad";
}

TEST_F(FilterHealthTest, OnlyADriverThatFailsToLoadOrStartIsTheFiltersFault) {
    // Problems the device has whatever its filters: shown as they are, never repaired.
    for (const ULONG code : {22u, 21u, 28u, 47u, 43u}) {
        system.problems[kBroken] = code;
        const FilterHealth health = ReadFilterHealth();
        EXPECT_EQ(Find(health, kBroken)->condition, FilterCondition::OtherProblem) << code;
        EXPECT_EQ(ConditionText(*Find(health, kBroken)).find("does not start"), std::string::npos)
            << code;
        EXPECT_EQ(health.RepairableCount(), 0) << code;
    }
    system.problems[kBroken] = CM_PROB_NEED_RESTART;
    FilterHealth health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kBroken)->condition, FilterCondition::NeedsReboot);
    EXPECT_EQ(ConditionText(*Find(health, kBroken)).rfind("restart Windows", 0), 0u);
    EXPECT_EQ(health.RepairableCount(), 0);
    for (const ULONG code : {10u, 19u, 31u, 32u, 37u, 39u, 40u, 48u, 52u}) {
        system.problems[kBroken] = code;
        health = ReadFilterHealth();
        EXPECT_EQ(Find(health, kBroken)->condition, FilterCondition::Problem) << code;
        EXPECT_EQ(health.RepairableCount(), 1) << code;
    }
}

TEST_F(FilterHealthTest, WorksOnlyWhenStartedAndAbsentOnlyWhenWindowsSaysSo) {
    // Restarted a moment ago: neither started nor failed yet.
    system.startDelays[kWorking] = 2000;
    sim::StartDevice(m, kWorking);
    FilterHealth health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kWorking)->condition, FilterCondition::NotStarted);
    EXPECT_EQ(ConditionText(*Find(health, kWorking)), "present, not started yet");

    // A configuration manager that fails otherwise than "no such device node" says
    // nothing about presence: the absent device is not called absent, nor harmless.
    std::erase(m.files, system.ImageFile(*system.FindService("quorvin")));
    m.AddFault({"CM_Locate_DevNodeA", 0, kAway});
    health = ReadFilterHealth();
    EXPECT_EQ(Find(health, kAway)->condition, FilterCondition::StateUnknown);
    EXPECT_EQ(ConditionText(*Find(health, kAway)), "state unknown");
    EXPECT_FALSE(Find(health, kAway)->Repairable());
}

TEST_F(FilterHealthTest, ADisabledServiceOrOneThatIsNoDriverCannotLoad) {
    sim::Service& service = *system.FindService("quorvin");
    service.startType = SERVICE_DISABLED;
    FilterHealth health = ReadFilterHealth();
    EXPECT_TRUE(health.driver.installed);
    EXPECT_TRUE(health.driver.Disabled());
    EXPECT_EQ(Find(health, kAway)->condition, FilterCondition::WillNotStart);
    EXPECT_NE(DriverText(health.driver).find("its service is disabled"), std::string::npos);

    service.startType = SERVICE_DEMAND_START;
    service.type = 0x10;  // SERVICE_WIN32_OWN_PROCESS
    health = ReadFilterHealth();
    EXPECT_TRUE(health.driver.NotKernelDriver());
    EXPECT_EQ(Find(health, kAway)->condition, FilterCondition::WillNotStart);
    EXPECT_NE(DriverText(health.driver).find("not a kernel driver"), std::string::npos);

    // And a device given the filter then fails to start, as Windows makes it.
    service.type = SERVICE_KERNEL_DRIVER;
    service.startType = SERVICE_DISABLED;
    EXPECT_EQ(sim::StartDevice(m, kWorking), static_cast<ULONG>(CM_PROB_DISABLED_SERVICE));
}

}  // namespace health
