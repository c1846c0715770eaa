#include "companion/Companion.h"
#include "platform/sim/SimNames.h"

#include <gtest/gtest.h>

#include "companion/ShownText.h"
#include "config/ConfigTestBench.h"

namespace companion {

namespace {

using Args = std::vector<std::string>;

class Companion : public ::testing::Test {
  protected:
    config::ConfigBench bench;
    sim::Machine& m = bench.machine;
    CompanionOutcome outcome;

    int Run(const std::string& commandLine) {
        m.ClearCalls();
        outcome = RunCompanion(sim::Utf16(commandLine));
        return outcome.exitCode;
    }
    // The companion leaves no set, key or file open behind.
    void TearDown() override {
        EXPECT_EQ(m.OpenSetCount(), 2u) << "only the bench's own sets";
        EXPECT_EQ(m.OpenInfCount(), 0u);
    }
    // One line: something to show, and no line break inside it.
    bool OneErrorLine() const {
        return !outcome.message.empty() &&
               outcome.message.find_first_of("\r\n") == std::string::npos;
    }
    std::string Absolute(const std::string& name) const { return m.currentDirectory + "\\" + name; }
};

}  // namespace

TEST_F(Companion, RestartsTheNamedDeviceByTheSharedPropertyChange) {
    EXPECT_EQ(Run(std::string("U ") + config::ConfigBench::kComposite), 0);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(m.restarts, Args{config::ConfigBench::kComposite});
    EXPECT_EQ(bench.ArgsOf("SetupDiCreateDeviceInfoList"), Args{"class=null hwnd=0"});
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDeviceInfoA"),
              Args{std::string("id=") + config::ConfigBench::kComposite +
                   " hwnd=0 flags=0x0 cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA))});
    EXPECT_EQ(bench.ArgsOf("SetupDiSetClassInstallParamsA"),
              Args{"size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0"});
    EXPECT_EQ(m.CountCalls("SetupDiDestroyDeviceInfoList"), 1u);
}

TEST_F(Companion, FailedRestartsAreReportedOnOneLine) {
    EXPECT_NE(Run("U USB\\VID_0000&PID_0000\\1&2&3"), 0);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_EQ(m.CountCalls("SetupDiSetClassInstallParamsA"), 0u);

    m.AddFault(sim::Fault{"SetupDiSetClassInstallParamsA", 0, {}});
    EXPECT_NE(Run(std::string("U ") + config::ConfigBench::kComposite), 0);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_EQ(m.CountCalls("SetupDiCallClassInstaller"), 0u);

    m.AddFault(sim::Fault{"SetupDiCreateDeviceInfoList", 0, {}});
    EXPECT_NE(Run(std::string("U ") + config::ConfigBench::kComposite), 0);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_TRUE(m.restarts.empty());
}

TEST_F(Companion, InstallsTheFileByItsFullPath) {
    const std::string spaced = Absolute("driver files\\quorvin.inf");
    m.files = {Absolute("quorvin.inf"), Absolute("quorvin.sys"), spaced};
    EXPECT_EQ(Run("e install quorvin.inf"), 0);
    EXPECT_EQ(bench.ArgsOf("SetupOpenInfFileW"),
              Args{"file=" + Absolute("quorvin.inf") + " class=null style=0x2"});
    EXPECT_EQ(bench.ArgsOf("InstallHinfSectionW"),
              Args{"hwnd=0 command=DefaultInstall 132 " + Absolute("quorvin.inf") + " show=0"});
    EXPECT_EQ(m.CountCalls("SetupCloseInfFile"), 1u);

    EXPECT_EQ(Run("e install \"" + spaced + "\""), 0);
    EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 " + spaced);
    EXPECT_EQ(outcome.message, "");
}

TEST_F(Companion, MissingFileIsAnErrorAndNothingInstalls) {
    EXPECT_NE(Run("e install quorvin.inf"), 0);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_TRUE(m.infInstalls.empty());
}

TEST_F(Companion, AnInstallationIsReadBackFromTheServiceManager) {
    // InstallHinfSection reports nothing: a package without its driver file leaves a
    // service that cannot load, which is a failure, not "done".
    m.files = {Absolute("quorvin.inf")};
    EXPECT_EQ(Run("e install quorvin.inf"), 1);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_NE(outcome.message.find("quorvin.sys is missing"), std::string::npos) << outcome.message;
    m.system().FindService("quorvin")->startType = SERVICE_DISABLED;
    m.files.push_back(Absolute("quorvin.sys"));
    EXPECT_EQ(Run("e install quorvin.inf"), 1);
    EXPECT_NE(outcome.message.find("disabled"), std::string::npos) << outcome.message;
}

TEST_F(Companion, TheQuietSwitchIsTakenOffAndRemembered) {
    EXPECT_EQ(Run(std::string("/q U ") + config::ConfigBench::kComposite), 0);
    EXPECT_TRUE(outcome.quiet);
    EXPECT_EQ(m.restarts, Args{config::ConfigBench::kComposite});
    EXPECT_EQ(Run("/q"), 2);
    EXPECT_TRUE(outcome.quiet);
    EXPECT_EQ(Run(std::string("U ") + config::ConfigBench::kComposite), 0);
    EXPECT_FALSE(outcome.quiet);
}

TEST_F(Companion, AnyOtherCommandLineIsAnErrorBeforeAnyPlatformCall) {
    for (const char* line : {"", "U", "e install", "x", "e remove quorvin.inf", "u A\\1"}) {
        EXPECT_EQ(Run(line), 2) << line;
        EXPECT_TRUE(OneErrorLine()) << line;
        EXPECT_TRUE(m.Calls().empty()) << line;
    }
}

TEST_F(Companion, InstallsFromAFolderNamedInAnyScript) {
    // "C:\Données" has an ANSI name on a Western system; a Cyrillic folder there has
    // none, and the path must stay whole from the command line to the installer.
    for (const std::string folder : {"C:\\Données", "C:\\Users\\Пользователь\\Загрузки"}) {
        m.currentDirectory = folder;
        m.files = {folder + "\\quorvin.inf", folder + "\\quorvin.sys"};
        EXPECT_EQ(Run("e install quorvin.inf"), 0) << outcome.message;
        EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 " + folder + "\\quorvin.inf");
        EXPECT_EQ(Run("e install " + folder + "\\quorvin.inf"), 0) << outcome.message;
        EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 " + folder + "\\quorvin.inf");
    }

    // Relative parts resolve as Windows resolves them.
    m.currentDirectory = "C:\\Données";
    m.files = {"C:\\Drivers\\quorvin.inf", "C:\\Drivers\\quorvin.sys"};
    EXPECT_EQ(Run("e install ..\\..\\Drivers/./quorvin.inf"), 0) << outcome.message;
    EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 C:\\Drivers\\quorvin.inf");
}

TEST_F(Companion, PathThatCannotBeFormedIsAnError) {
    m.files = {Absolute("quorvin.inf")};
    m.AddFault(sim::Fault{"GetFullPathNameW"});
    EXPECT_EQ(Run("e install quorvin.inf"), 1);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_EQ(m.CountCalls("SetupOpenInfFileW"), 0u);
    EXPECT_TRUE(m.infInstalls.empty());
}

TEST_F(Companion, AnInstanceIdOutsideAsciiNamesNoDevice) {
    // Windows keeps instance IDs ASCII; a near-lookalike must not reach the device
    // search in some narrowed form that could name another device.
    EXPECT_EQ(Run("U USB\\VID_046D&PID_C08B\\6&1А2В3С&0&1"), 1);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_NE(outcome.message.find("no device with instance ID"), std::string::npos);
    EXPECT_EQ(m.CountCalls("SetupDiOpenDeviceInfoA"), 0u);
    EXPECT_TRUE(m.restarts.empty());
}

TEST_F(Companion, AnInstanceIdCannotAddLinesToTheMessage) {
    const std::string forged = "USB\\VID_0000&PID_0000\\1\r\nkevra64: done\x7F";
    EXPECT_EQ(Run("U " + forged), 1);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_NE(outcome.message.find("USB\\VID_0000&PID_0000\\1??kevra64: done?"), std::string::npos)
        << outcome.message;
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDeviceInfoA").front().find("id=" + forged), 0u)
        << "the ID itself reaches the platform unchanged";

    const std::string longId(5000, 'A');
    EXPECT_EQ(Run("U " + longId), 1);
    EXPECT_LT(outcome.message.size(), kShownTextLimit + 100);
    EXPECT_EQ(outcome.message.substr(outcome.message.size() - 3), "...");
}

}  // namespace companion
