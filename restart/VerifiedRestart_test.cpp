// Restarts in-process: every branch of the verification and the revert.
#include "restart/VerifiedRestart.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "restart/Restart.h"
#include "device/DeviceState.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace {

using Kind = RestartOutcome::Kind;
using Args = std::vector<std::string>;
constexpr const char* kDevice = ConfigBench::kInterface;

class VerifiedRestart : public ::testing::Test {
  protected:
    ConfigBench bench;
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
        return RequestDeviceRestart(*bench.Open(kDevice), ConfigBench::kOwner);
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
    EXPECT_FALSE(ReadDeviceState(kDevice).HasProblem());
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
    for (const char* op : {"CM_Locate_DevNodeA", "CM_Get_DevNode_Status"}) {
        m.AddFault({op});
        EXPECT_EQ(Restart(), (RestartOutcome{Kind::Restarted, 0})) << op;
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

TEST(CompanionExitCodes, EveryOutcomeSurvivesTheExitCode) {
    const RestartOutcome outcomes[] = {{Kind::Restarted, 0},
                                       {Kind::NeedsReboot, 0},
                                       {Kind::ProblemReverted, 39},
                                       {Kind::ProblemNotCured, 43},
                                       {Kind::Failed, 0}};
    for (const RestartOutcome& outcome : outcomes) {
        EXPECT_EQ(OutcomeOfCompanionExit(static_cast<DWORD>(CompanionExitCode(outcome))), outcome);
    }
    EXPECT_EQ(CompanionExitCode({Kind::ProblemReverted, 39}), 0x1027);
    EXPECT_EQ(CompanionExitCode({Kind::CompanionMissing, 0}), 1);
    for (const DWORD code : {2u, 4u, 0x1000u, 0x3000u, 0x11027u, 0x103u, 0xC0000005u}) {
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
