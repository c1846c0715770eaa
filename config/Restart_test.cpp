#include "config/Restart.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"

namespace {

HWND Owner() {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));
}

class DeviceRestart : public ::testing::Test {
  protected:
    ConfigBench bench;
    std::unique_ptr<TDevice> device = bench.Open(ConfigBench::kInterface);

    void TearDown() override { EXPECT_EQ(bench.machine.OpenKeyCount(), 0u); }

    sim::Machine& machine() { return bench.machine; }
    void ExpectCompanionStarted(const std::string& parameters) {
        ASSERT_EQ(machine().shellRequests.size(), 1u);
        const auto& request = machine().shellRequests[0];
        EXPECT_EQ(request.owner, Owner());
        EXPECT_FALSE(request.verb) << "the default verb";
        EXPECT_EQ(request.file, std::optional<std::string>("kevra64.exe"));
        EXPECT_EQ(request.parameters, std::optional<std::string>(parameters));
        EXPECT_FALSE(request.directory);
        EXPECT_EQ(request.show, SW_SHOW);
    }
};

}  // namespace

TEST_F(DeviceRestart, PropertyChangeGoesToTheClassInstaller) {
    RestartDevice(*device);
    EXPECT_EQ(machine().restarts, std::vector<std::string>{ConfigBench::kInterface});
    ASSERT_EQ(machine().CountCalls("SetupDiSetClassInstallParamsA"), 1u);
    ASSERT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 1u);
    EXPECT_EQ(machine().CallsOf("SetupDiCallClassInstaller")[0].device, ConfigBench::kInterface);
}

TEST_F(DeviceRestart, RefusedParametersStopTheRequest) {
    machine().AddFault(sim::Fault{"SetupDiSetClassInstallParamsA", 0, {}});
    RestartDevice(*device);
    EXPECT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 0u);
    EXPECT_TRUE(machine().restarts.empty());
}

TEST_F(DeviceRestart, FailingClassInstallerIsIgnored) {
    machine().AddFault(sim::Fault{"SetupDiCallClassInstaller", 0, {}});
    RestartDevice(*device);
    EXPECT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 1u);
    EXPECT_TRUE(machine().restarts.empty());
}

TEST_F(DeviceRestart, Wow64IsOnlyTrueWhenTheLookedUpFunctionSaysSo) {
    const std::pair<sim::Wow64Mode, bool> cases[] = {{sim::Wow64Mode::Absent, false},
                                                     {sim::Wow64Mode::NotWow64, false},
                                                     {sim::Wow64Mode::Wow64, true},
                                                     {sim::Wow64Mode::CallFails, false}};
    for (const auto& [mode, expected] : cases) {
        machine().wow64 = mode;
        machine().ClearCalls();
        EXPECT_EQ(IsWow64(), expected) << static_cast<int>(mode);
        EXPECT_EQ(IsWow64(), expected) << static_cast<int>(mode);
        EXPECT_EQ(machine().CountCalls("GetProcAddress"), 2u) << "looked up on every call";
    }
}

TEST_F(DeviceRestart, InProcessUnlessUnderWow64) {
    for (auto mode :
         {sim::Wow64Mode::Absent, sim::Wow64Mode::NotWow64, sim::Wow64Mode::CallFails}) {
        machine().wow64 = mode;
        machine().restarts.clear();
        // A restart re-creates the node, so every round opens the device afresh.
        auto fresh = bench.Open(ConfigBench::kInterface);
        RequestDeviceRestart(*fresh, Owner());
        EXPECT_EQ(machine().restarts, std::vector<std::string>{ConfigBench::kInterface});
        EXPECT_TRUE(machine().shellRequests.empty());
    }
}

TEST_F(DeviceRestart, UnderWow64TheCompanionRestartsByInstanceId) {
    machine().wow64 = sim::Wow64Mode::Wow64;
    RequestDeviceRestart(*device, Owner());
    ExpectCompanionStarted(std::string("U ") + ConfigBench::kInterface);
    EXPECT_EQ(machine().CountCalls("SetupDiSetClassInstallParamsA"), 0u);
    EXPECT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 0u);
    EXPECT_TRUE(machine().restarts.empty());
}

TEST_F(DeviceRestart, UnreadableInstanceIdStillStartsTheCompanion) {
    machine().wow64 = sim::Wow64Mode::Wow64;
    machine().AddFault(sim::Fault{"SetupDiGetDeviceInstanceIdA", 0, {}});
    RequestDeviceRestart(*device, Owner());
    ExpectCompanionStarted("U ");
}

TEST_F(DeviceRestart, ParentIsRestartedThroughItsOwnPair) {
    TDevice& parent = device->GetParentDevice();
    machine().wow64 = sim::Wow64Mode::Wow64;
    RequestDeviceRestart(parent, Owner());
    ExpectCompanionStarted(std::string("U ") + ConfigBench::kComposite);

    machine().wow64 = sim::Wow64Mode::NotWow64;
    machine().ClearCalls();
    RequestDeviceRestart(parent, Owner());
    EXPECT_EQ(machine().restarts, std::vector<std::string>{ConfigBench::kComposite});
    ASSERT_EQ(machine().CountCalls("SetupDiSetClassInstallParamsA"), 1u);
    EXPECT_EQ(machine().CallsOf("SetupDiSetClassInstallParamsA")[0].device,
              ConfigBench::kComposite);
}

TEST_F(DeviceRestart, InstallAppliesTheVerbOrHandsItToTheCompanion) {
    RequestServiceInstall(Owner());
    ASSERT_EQ(machine().shellRequests.size(), 1u);
    const auto& request = machine().shellRequests[0];
    EXPECT_EQ(request.owner, Owner());
    EXPECT_EQ(request.verb, std::optional<std::string>("install"));
    EXPECT_EQ(request.file, std::optional<std::string>("quorvin.inf"));
    EXPECT_FALSE(request.parameters);
    EXPECT_FALSE(request.directory);
    EXPECT_EQ(request.show, SW_SHOW);

    machine().shellRequests.clear();
    machine().wow64 = sim::Wow64Mode::Wow64;
    RequestServiceInstall(Owner());
    ExpectCompanionStarted("e install quorvin.inf");
}

TEST_F(DeviceRestart, PlatformCallsCarryTheDocumentedArguments) {
    RestartDevice(*device);
    EXPECT_EQ(
        bench.ArgsOf("SetupDiSetClassInstallParamsA"),
        std::vector<std::string>{"size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0"});
    ASSERT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 1u);
    EXPECT_TRUE(
        machine().CallsOf("SetupDiCallClassInstaller")[0].args.starts_with("function=0x12 "));

    machine().wow64 = sim::Wow64Mode::Wow64;
    machine().ClearCalls();
    RequestServiceInstall(Owner());
    EXPECT_EQ(bench.ArgsOf("GetModuleHandleA"), std::vector<std::string>{"name=kernel32.dll"});
    EXPECT_EQ(bench.ArgsOf("GetProcAddress"),
              std::vector<std::string>{"module=0x7C800000 name=IsWow64Process"});
    EXPECT_EQ(bench.ArgsOf("IsWow64Process"), std::vector<std::string>{"process=-1"});
    EXPECT_EQ(bench.ArgsOf("ShellExecuteA"),
              std::vector<std::string>{
                  "hwnd=0x1234 verb=null file=kevra64.exe params=e install quorvin.inf dir=null "
                  "show=5"});
}
