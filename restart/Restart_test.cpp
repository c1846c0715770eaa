#include "restart/Restart.h"

#include <gtest/gtest.h>

#include "config/ConfigTestBench.h"
#include "restart/CompanionLauncher.h"
#include "platform/sim/SimSystem.h"

namespace restart {

namespace {

using Args = std::vector<std::string>;
const std::string kPropChange = "size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0";

class RestartOfADevice : public ::testing::Test {
  protected:
    config::ConfigBench bench;
    sim::Machine& m = bench.machine;

    static constexpr const char* kCompanionPath = "C:\\Users\\User\\Downloads\\kevra64.exe";
    // The current directory, where the shell's verb finds quorvin.inf.
    static constexpr const char* kFolder = "C:\\Users\\Setup\\Downloads\\";
    Args Shell() const { return bench.ArgsOf("ShellExecuteExW"); }
    // Started by its full path, waited for, the shell's error boxes suppressed.
    static std::string Companion(const std::string& parameters) {
        return std::string("hwnd=0x1234 verb=null file=") + kCompanionPath +
               " params=" + parameters + " dir=null show=5 mask=0x440";
    }
};

}  // namespace

TEST_F(RestartOfADevice, PropertyChangeGoesToTheClassInstallerOnlyWhenAccepted) {
    RestartDevice(*bench.Open(config::ConfigBench::kInterface));
    EXPECT_EQ(m.restarts, Args{config::ConfigBench::kInterface});
    EXPECT_EQ(bench.ArgsOf("SetupDiSetClassInstallParamsA"), Args{kPropChange});
    ASSERT_EQ(m.CountCalls("SetupDiCallClassInstaller"), 1u);
    EXPECT_TRUE(m.CallsOf("SetupDiCallClassInstaller")[0].args.starts_with("function=0x12 "));

    m.AddFault(sim::Fault{"SetupDiSetClassInstallParamsA", 0, {}});
    RestartDevice(*bench.Open(config::ConfigBench::kInterface));
    EXPECT_EQ(m.CountCalls("SetupDiSetClassInstallParamsA"), 1u);
    EXPECT_EQ(m.CountCalls("SetupDiCallClassInstaller"), 0u);
    EXPECT_EQ(m.restarts.size(), 1u);
}

TEST_F(RestartOfADevice, Wow64IsAskedAnewOnEveryCall) {
    const std::pair<sim::Wow64Mode, bool> cases[] = {{sim::Wow64Mode::Absent, false},
                                                     {sim::Wow64Mode::NotWow64, false},
                                                     {sim::Wow64Mode::Wow64, true},
                                                     {sim::Wow64Mode::CallFails, false}};
    for (const auto& [mode, expected] : cases) {
        m.wow64 = mode;
        EXPECT_EQ(IsWow64(), expected) << static_cast<int>(mode);
    }
    EXPECT_EQ(bench.ArgsOf("GetModuleHandleA"), Args(4, "name=kernel32.dll"));
    EXPECT_EQ(bench.ArgsOf("GetProcAddress"), Args(4, "module=0x7C800000 name=IsWow64Process"));
    EXPECT_EQ(bench.ArgsOf("IsWow64Process"), Args(3, "process=-1"));
}

TEST_F(RestartOfADevice, InProcessUnlessUnderWow64) {
    for (auto mode :
         {sim::Wow64Mode::Absent, sim::Wow64Mode::NotWow64, sim::Wow64Mode::CallFails}) {
        m.wow64 = mode;
        // A restart re-creates the node, so every round opens the device afresh.
        RequestDeviceRestart(*bench.Open(config::ConfigBench::kInterface),
                             config::ConfigBench::kOwner);
    }
    EXPECT_EQ(m.restarts, Args(3, config::ConfigBench::kInterface));
    EXPECT_TRUE(m.shellRequests.empty());
}

TEST_F(RestartOfADevice, UnderWow64TheCompanionBesideTheProgramRestartsTheDeviceToProcess) {
    m.wow64 = sim::Wow64Mode::Wow64;
    m.files.push_back(kCompanionPath);
    auto device = bench.Open(config::ConfigBench::kInterface);
    RequestDeviceRestart(*device, config::ConfigBench::kOwner);
    RequestDeviceRestart(device->GetParentDevice(), config::ConfigBench::kOwner);
    m.AddFault(sim::Fault{"SetupDiGetDeviceInstanceIdA", 0, {}});
    RequestDeviceRestart(*device, config::ConfigBench::kOwner);
    EXPECT_EQ(Shell(), (Args{Companion(std::string("/q U ") + config::ConfigBench::kInterface),
                             Companion(std::string("/q U ") + config::ConfigBench::kComposite),
                             Companion("/q U ")}));
    EXPECT_EQ(m.CountCalls("ShellExecuteA"), 0u);
    EXPECT_EQ(m.CountCalls("SetupDiSetClassInstallParamsA"), 0u);
    EXPECT_TRUE(m.restarts.empty());
    EXPECT_TRUE(m.system().processes.empty()) << "every process handle closed";
}

TEST_F(RestartOfADevice, ParentIsRestartedThroughItsOwnPair) {
    auto device = bench.Open(config::ConfigBench::kInterface);
    device::TDevice& parent = device->GetParentDevice();
    m.ClearCalls();
    RequestDeviceRestart(parent, config::ConfigBench::kOwner);
    EXPECT_EQ(m.restarts, Args{config::ConfigBench::kComposite});
    EXPECT_EQ(m.CallsOf("SetupDiSetClassInstallParamsA")[0].device,
              config::ConfigBench::kComposite);
    EXPECT_EQ(m.CallsOf("SetupDiSetClassInstallParamsA")[0].args, "set=2 " + kPropChange)
        << "the related set, the bench's second";
}

TEST_F(RestartOfADevice, InstallAppliesTheVerbOrHandsItToTheCompanion) {
    m.files.push_back(std::string(kFolder) + "quorvin.inf");
    m.files.push_back(std::string(kFolder) + "quorvin.sys");
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::Installed);
    EXPECT_EQ(Shell(), Args{"hwnd=0x1234 verb=install file=quorvin.inf params=null dir=null "
                            "show=5 mask=0x40"});
    EXPECT_TRUE(m.system().processes.empty()) << "the installer waited for, its handle closed";
    m.system().services.clear();
    m.wow64 = sim::Wow64Mode::Wow64;
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::CompanionMissing);
    m.files.push_back(kCompanionPath);
    m.system().run = [this](const std::string&, const std::string&) {
        sim::InstallDriverService(m, "quorvin");
        return DWORD{0};
    };
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::Installed);
    m.system().run = [](const std::string&, const std::string&) { return DWORD{1}; };
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::Failed);
    EXPECT_EQ(Shell().back(), Companion("/q e install quorvin.inf")) << "quiet without a window";
}

TEST_F(RestartOfADevice, InstallIsReadBackNotTakenOnTrust) {
    // No quorvin.inf in the current directory: the shell refuses the verb.
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::Failed);
    EXPECT_TRUE(m.system().services.empty());
    // The package lacks its driver file: the service is there but cannot load.
    m.files.push_back(std::string(kFolder) + "quorvin.inf");
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::NotInstalled);
    EXPECT_NE(m.system().FindService("quorvin"), nullptr);
    // Under WOW64 a companion that says it installed is read back as well.
    m.system().services.clear();
    m.wow64 = sim::Wow64Mode::Wow64;
    m.files.push_back(kCompanionPath);
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::NotInstalled);
}

TEST_F(RestartOfADevice, AStartWithoutAProcessHandleIsReadBackOrLost) {
    // The shell may hand the installer's verb to a program already running and give no
    // process to wait for: only the service manager can tell what happened then.
    const std::string inf = std::string(kFolder) + "quorvin.inf";
    m.files.push_back(inf);
    m.files.push_back(std::string(kFolder) + "quorvin.sys");
    m.system().handedOff.insert(inf);
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::Installed);
    m.system().services.clear();
    m.files = {inf};  // a package without its driver file
    EXPECT_EQ(RequestServiceInstall(config::ConfigBench::kOwner), InstallOutcome::NotInstalled);
    // The companion always gives its process: without one, its exit code is unknown,
    // and an unknown restart is not a done one.
    m.wow64 = sim::Wow64Mode::Wow64;
    m.files.push_back(kCompanionPath);
    m.system().handedOff.insert(kCompanionPath);
    EXPECT_EQ(RunCompanionProgram(nullptr, "U x", {}).kind, CompanionRun::Kind::Lost);
    EXPECT_EQ(RequestDeviceRestart(*bench.Open(config::ConfigBench::kInterface),
                                   config::ConfigBench::kOwner)
                  .kind,
              RestartOutcome::Kind::Failed);
}

}  // namespace restart
