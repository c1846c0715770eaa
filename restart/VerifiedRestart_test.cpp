// Restarts in-process: every branch of the verification and the revert.
#include "restart/VerifiedRestart.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "restart/DeviceStartWait.h"
#include "restart/Restart.h"
#include "device/DeviceState.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace restart {

namespace {

using Kind = RestartOutcome::Kind;
using Args = std::vector<std::string>;
constexpr const char* kDevice = config::ConfigBench::kInterface;

class VerifiedRestart : public ::testing::Test {
  protected:
    config::ConfigBench bench;
    sim::Machine& m = bench.machine;
    sim::System& system = m.system();

    VerifiedRestart() {
        sim::InstallDriverService(m, "upper");
        sim::InstallDriverService(m, "quorvin");
    }
    void TearDown() override { EXPECT_EQ(m.OpenSetCount(), 2u) << "only the bench's own sets"; }

    void SetFilters(const std::vector<std::string>& filters) {
        m.SetProperty(kDevice, SPDRP_LOWERFILTERS, REG_MULTI_SZ, sim::MultiString(filters));
    }
    std::string Filters() const {
        const auto value = m.Property(kDevice, SPDRP_LOWERFILTERS);
        return value ? value->data : "<none>";
    }
    RestartOutcome Restart() {
        return RequestDeviceRestart(*bench.Open(kDevice), config::ConfigBench::kOwner);
    }
    void RemoveDriverFile() {
        std::erase(m.files, system.ImageFile(*system.FindService("quorvin")));
    }
};

}  // namespace

TEST_F(VerifiedRestart, AHealthyRestartIsVerifiedAndLeftAlone) {
    SetFilters({"quorvin"});
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::Restarted, 0}));
    EXPECT_EQ(m.restarts, Args{kDevice});
    EXPECT_EQ(Filters(), sim::MultiString({"quorvin"}));
    EXPECT_EQ(bench.ArgsOf("SetupDiGetDeviceInstallParamsA"),
              Args{"cbSize=" + std::to_string(sizeof(SP_DEVINSTALL_PARAMS_A))});
    EXPECT_EQ(bench.ArgsOf("CM_Locate_DevNodeA"),
              Args{std::string("id=") + kDevice + " flags=0x0"});
    EXPECT_EQ(m.CountCalls("CM_Get_DevNode_Status"), 1u);
}

TEST_F(VerifiedRestart, AProblemWithTheFilterIsRevertedKeepingTheOtherEntries) {
    RemoveDriverFile();
    SetFilters({"upper", "quorvin"});
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::ProblemReverted, CM_PROB_DRIVER_FAILED_LOAD}));
    EXPECT_EQ(Filters(), sim::MultiString({"upper"}));
    EXPECT_EQ(m.restarts, Args(2, kDevice));
    EXPECT_FALSE(device::ReadDeviceState(kDevice).HasProblem());
}

TEST_F(VerifiedRestart, ADeviceThatStillFailsAfterTheRevertIsNotCured) {
    system.services.clear();  // neither filter can load
    SetFilters({"quorvin", "upper"});
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::ProblemNotCured, CM_PROB_DRIVER_FAILED_LOAD}));
    EXPECT_EQ(Filters(), sim::MultiString({"upper"}));
    EXPECT_EQ(m.restarts.size(), 2u);

    // A filter that cannot be taken off the list is no cure either.
    SetFilters({"quorvin"});
    m.AddFault({"SetupDiSetDeviceRegistryPropertyA"});
    EXPECT_EQ(Restart().kind, Kind::ProblemNotCured);
    EXPECT_EQ(m.restarts.size(), 3u) << "not restarted again";
}

TEST_F(VerifiedRestart, AProblemThatIsNotTheFiltersChangesNothing) {
    system.services.clear();
    SetFilters({"upper"});
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::Restarted, 0}));
    EXPECT_EQ(Filters(), sim::MultiString({"upper"}));
    EXPECT_EQ(m.restarts.size(), 1u);
}

TEST_F(VerifiedRestart, ADeviceHeldOpenNeedsARebootAndIsNotLookedAtFurther) {
    RemoveDriverFile();
    SetFilters({"quorvin"});
    system.heldOpen.insert(kDevice);
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::NeedsReboot, 0}));
    EXPECT_TRUE(m.restarts.empty());
    EXPECT_EQ(m.CountCalls("CM_Locate_DevNodeA"), 0u);
    EXPECT_EQ(Filters(), sim::MultiString({"quorvin"}));
}

TEST_F(VerifiedRestart, FailuresOfTheVerificationNeverRevert) {
    RemoveDriverFile();
    SetFilters({"quorvin"});
    // The state stays unknown: neither a revert nor "restarted".
    for (const char* op : {"CM_Locate_DevNodeA", "CM_Get_DevNode_Status"}) {
        m.AddFault({op});
        EXPECT_EQ(Restart(), (RestartOutcome{Kind::StateUnknown, 0})) << op;
        EXPECT_EQ(Filters(), sim::MultiString({"quorvin"})) << op;
        m.ClearFaults();
    }
    m.AddFault({"SetupDiSetClassInstallParamsA"});
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::Failed, 0}));
}

TEST_F(VerifiedRestart, ByInstanceIdOpensTheDeviceItself) {
    RemoveDriverFile();
    SetFilters({"quorvin"});
    EXPECT_EQ(RestartAndVerifyById(kDevice).kind, Kind::ProblemReverted);
    EXPECT_EQ(RestartAndVerifyById("USB\\VID_0000&PID_0000\\1").kind, Kind::Failed);
}

TEST_F(VerifiedRestart, AProblemOfTheDevicesOwnLeavesTheFilterWhereItIs) {
    SetFilters({"quorvin"});
    system.standingProblems[kDevice] = CM_PROB_DISABLED;  // the user disabled it
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::OtherProblem, CM_PROB_DISABLED}));
    EXPECT_EQ(Filters(), sim::MultiString({"quorvin"}));
    EXPECT_EQ(m.restarts.size(), 1u);

    system.standingProblems[kDevice] = CM_PROB_NEED_RESTART;
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::NeedsReboot, 0}));
    EXPECT_EQ(Filters(), sim::MultiString({"quorvin"}));

    // A disabled filter service is a load failure of the filter's.
    system.standingProblems.clear();
    system.FindService("quorvin")->startType = SERVICE_DISABLED;
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::ProblemReverted, CM_PROB_DISABLED_SERVICE}));
    EXPECT_EQ(Filters(), "<none>");
}

TEST_F(VerifiedRestart, ARestartIsWaitedForUntilTheDeviceStartsOrFails) {
    SetFilters({"quorvin"});
    system.startDelays[kDevice] = 1200;  // a USB stack that takes its time
    const LONGLONG before = sim::Clock(m);
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::Restarted, 0}));
    EXPECT_GE(sim::Clock(m) - before, sim::Ticks(1200));
    EXPECT_LT(sim::Clock(m) - before, sim::Ticks(1200 + 2 * kDeviceStartPollMs));
    EXPECT_GT(m.CountCalls("CM_Get_DevNode_Status"), 1u);
    EXPECT_EQ(bench.ArgsOf("Sleep").at(0), "ms=" + std::to_string(kDeviceStartPollMs));

    // Its problem is posted late: first it reports nothing, then the failure.
    m.ClearCalls();
    RemoveDriverFile();
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::ProblemReverted, CM_PROB_DRIVER_FAILED_LOAD}));
    EXPECT_EQ(Filters(), "<none>");
}

TEST_F(VerifiedRestart, ADeviceThatNeitherStartsNorFailsInTimeIsUnknownNotSuccess) {
    SetFilters({"quorvin"});
    system.startDelays[kDevice] = 60'000;
    const LONGLONG before = sim::Clock(m);
    EXPECT_EQ(Restart(), (RestartOutcome{Kind::StateUnknown, 0}));
    EXPECT_GE(sim::Clock(m) - before, sim::Ticks(kDeviceStartWaitMs));
    EXPECT_LT(sim::Clock(m) - before, sim::Ticks(kDeviceStartWaitMs + 2 * kDeviceStartPollMs));
    EXPECT_EQ(Filters(), sim::MultiString({"quorvin"}));
    EXPECT_NE(DescribeRestartOutcome({Kind::StateUnknown, 0}).find("state is unknown"),
              std::string::npos);
}

TEST_F(VerifiedRestart, TheWindowKeepsPaintingWhileItWaits) {
    SetFilters({"quorvin"});
    system.startDelays[kDevice] = 500;
    const RestartOutcome outcome = RestartAndVerifyById(kDevice, [] {});
    EXPECT_EQ(outcome, (RestartOutcome{Kind::Restarted, 0}));
    const auto waits = bench.ArgsOf("MsgWaitForMultipleObjectsEx");
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(waits[0], "count=0 handle=null ms=" + std::to_string(kDeviceStartPollMs) +
                            " mask=0x4FF flags=0x4");
    EXPECT_EQ(m.CountCalls("Sleep"), 0u) << "a window never sleeps";
}

TEST(CompanionExitCodes, EveryOutcomeSurvivesTheExitCode) {
    const RestartOutcome outcomes[] = {{Kind::Restarted, 0},
                                       {Kind::NeedsReboot, 0},
                                       {Kind::ProblemReverted, 39},
                                       {Kind::ProblemNotCured, 43},
                                       {Kind::OtherProblem, 22},
                                       {Kind::StateUnknown, 0},
                                       {Kind::Failed, 0}};
    for (const RestartOutcome& outcome : outcomes) {
        EXPECT_EQ(OutcomeOfCompanionExit(static_cast<DWORD>(CompanionExitCode(outcome))), outcome);
    }
    EXPECT_EQ(CompanionExitCode({Kind::ProblemReverted, 39}), 0x1027);
    EXPECT_EQ(CompanionExitCode({Kind::CompanionMissing, 0}), 1);
    for (const DWORD code : {2u, 5u, 0x1000u, 0x3000u, 0x4016u, 0x11027u, 0x103u, 0xC0000005u}) {
        EXPECT_EQ(OutcomeOfCompanionExit(code).kind, Kind::Failed) << code;
    }
}

TEST(RestartMessages, OnlyWhatNeedsSayingIsSaid) {
    EXPECT_EQ(DescribeRestartOutcome({Kind::Restarted, 0}), "");
    EXPECT_EQ(DescribeRestartOutcome({Kind::Failed, 0}), "");
    EXPECT_NE(DescribeRestartOutcome({Kind::NeedsReboot, 0}).find("Windows must be restarted"),
              std::string::npos);
    const std::string reverted = DescribeRestartOutcome({Kind::ProblemReverted, 39});
    EXPECT_NE(reverted.find("code 39: Windows cannot load the driver"), std::string::npos);
    EXPECT_NE(reverted.find("works as before"), std::string::npos);
    const std::string notCured = DescribeRestartOutcome({Kind::ProblemNotCured, 39});
    EXPECT_NE(notCured.find("still does not start"), std::string::npos);
    EXPECT_NE(DescribeRestartOutcome({Kind::CompanionMissing, 0}, "D:\\x\\kevra64.exe")
                  .find("D:\\x\\kevra64.exe"),
              std::string::npos);
}

}  // namespace restart
