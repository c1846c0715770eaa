#include "companion/Companion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "config/ConfigTestBench.h"
#include "config/Restart.h"

namespace {

class Companion : public ::testing::Test {
  protected:
    ConfigBench bench;
    std::ostringstream err;

    sim::Machine& machine() { return bench.machine; }
    int Run(const std::string& commandLine) {
        machine().ClearCalls();
        return RunCompanion(commandLine, err);
    }
    // The companion leaves no set, key or file open behind.
    void TearDown() override {
        EXPECT_EQ(machine().OpenSetCount(), 2u) << "only the bench's own sets";
        EXPECT_EQ(machine().OpenKeyCount(), 0u);
        EXPECT_EQ(machine().OpenInfCount(), 0u);
    }
    void ExpectOneErrorLine() {
        const std::string text = err.str();
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_EQ(text.back(), '\n');
    }
    std::string Absolute(const std::string& name) {
        return (std::filesystem::current_path() / name).string();
    }
};

}  // namespace

TEST_F(Companion, RestartsTheNamedDeviceInASetOfItsOwn) {
    EXPECT_EQ(Run(std::string("U ") + ConfigBench::kComposite), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(machine().restarts, std::vector<std::string>{ConfigBench::kComposite});
    EXPECT_EQ(bench.ArgsOf("SetupDiCreateDeviceInfoList"),
              std::vector<std::string>{"class=null hwnd=0"});
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDeviceInfoA"),
              std::vector<std::string>{
                  std::string("id=") + ConfigBench::kComposite +
                  " hwnd=0 flags=0x0 cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA))});
    EXPECT_EQ(machine().CountCalls("SetupDiDestroyDeviceInfoList"), 1u);
}

TEST_F(Companion, MakesTheSamePropertyChangeRequestAsTheSetupProgram) {
    auto device = bench.Open(ConfigBench::kInterface);
    RestartDevice(*device);
    const auto inProcess = machine().CallsOf("SetupDiSetClassInstallParamsA");
    const auto installer = machine().CallsOf("SetupDiCallClassInstaller");

    ASSERT_EQ(Run(std::string("U ") + ConfigBench::kInterface), 0);
    const auto companion = machine().CallsOf("SetupDiSetClassInstallParamsA");
    ASSERT_EQ(inProcess.size(), 1u);
    ASSERT_EQ(companion.size(), 1u);
    EXPECT_EQ(companion[0].device, inProcess[0].device);
    // The same parameters, in a set of the companion's own.
    EXPECT_EQ(bench.ArgsOf("SetupDiSetClassInstallParamsA")[0],
              "size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0");
    EXPECT_NE(companion[0].args, inProcess[0].args) << "not the bench's set";
    ASSERT_EQ(machine().CallsOf("SetupDiCallClassInstaller").size(), 1u);
    EXPECT_EQ(machine().CallsOf("SetupDiCallClassInstaller")[0].device, installer[0].device);
}

TEST_F(Companion, UnknownDeviceIsAnErrorAndNothingRestarts) {
    EXPECT_NE(Run("U USB\\VID_0000&PID_0000\\1&2&3"), 0);
    ExpectOneErrorLine();
    EXPECT_TRUE(machine().restarts.empty());
    EXPECT_EQ(machine().CountCalls("SetupDiSetClassInstallParamsA"), 0u);
}

TEST_F(Companion, RefusedRestartIsAnError) {
    machine().AddFault(sim::Fault{"SetupDiSetClassInstallParamsA", 0, {}});
    EXPECT_NE(Run(std::string("U ") + ConfigBench::kComposite), 0);
    ExpectOneErrorLine();
    EXPECT_EQ(machine().CountCalls("SetupDiCallClassInstaller"), 0u);
}

TEST_F(Companion, NoSetNoRestart) {
    machine().AddFault(sim::Fault{"SetupDiCreateDeviceInfoList", 0, {}});
    EXPECT_NE(Run(std::string("U ") + ConfigBench::kComposite), 0);
    ExpectOneErrorLine();
    EXPECT_TRUE(machine().restarts.empty());
}

TEST_F(Companion, InstallsTheFileByItsFullPath) {
    machine().files.push_back(Absolute("quorvin.inf"));
    EXPECT_EQ(Run("e install quorvin.inf"), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(machine().infInstalls,
              std::vector<std::string>{"DefaultInstall 132 " + Absolute("quorvin.inf")});
    EXPECT_EQ(
        bench.ArgsOf("SetupOpenInfFileA"),
        std::vector<std::string>{"file=" + Absolute("quorvin.inf") + " class=null style=0x2"});
    EXPECT_EQ(bench.ArgsOf("InstallHinfSectionA"),
              std::vector<std::string>{"hwnd=0 command=DefaultInstall 132 " +
                                       Absolute("quorvin.inf") + " show=0"});
    EXPECT_EQ(machine().CountCalls("SetupCloseInfFile"), 1u);
}

TEST_F(Companion, AbsolutePathIsTakenAsItIs) {
    const std::string path = Absolute("driver files/quorvin.inf");
    machine().files.push_back(path);
    EXPECT_EQ(Run("e install \"" + path + "\""), 0);
    EXPECT_EQ(machine().infInstalls, std::vector<std::string>{"DefaultInstall 132 " + path});
}

TEST_F(Companion, MissingFileIsAnErrorAndNothingInstalls) {
    EXPECT_NE(Run("e install quorvin.inf"), 0);
    ExpectOneErrorLine();
    EXPECT_TRUE(machine().infInstalls.empty());
}

TEST_F(Companion, AnyOtherCommandLineIsAnErrorBeforeAnyPlatformCall) {
    for (const char* line : {"", "U", "e install", "x", "e remove quorvin.inf", "u A\\1"}) {
        err.str("");
        EXPECT_EQ(Run(line), 2) << line;
        ExpectOneErrorLine();
        EXPECT_TRUE(machine().Calls().empty()) << line;
    }
    EXPECT_TRUE(machine().restarts.empty());
    EXPECT_TRUE(machine().infInstalls.empty());
}
