#include "companion/Companion.h"

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
        outcome = RunCompanion(commandLine);
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
    EXPECT_EQ(bench.ArgsOf("SetupOpenInfFileA"),
              Args{"file=" + Absolute("quorvin.inf") + " class=null style=0x2"});
    EXPECT_EQ(bench.ArgsOf("InstallHinfSectionA"),
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

TEST_F(Companion, InstallsFromAFolderNamedInTheAnsiCodePage) {
    // "C:\Données" in code page 1252: the path stays in that code page end to end.
    m.currentDirectory =
        "C:\\Donn\xE9"
        "es";
    m.files = {
        "C:\\Donn\xE9"
        "es\\quorvin.inf",
        "C:\\Donn\xE9"
        "es\\quorvin.sys"};
    EXPECT_EQ(Run("e install quorvin.inf"), 0) << outcome.message;
    EXPECT_EQ(m.infInstalls, Args{"DefaultInstall 132 C:\\Donn\xE9"
                                  "es\\quorvin.inf"});
    EXPECT_EQ(bench.ArgsOf("GetFullPathNameA").front(), "name=quorvin.inf size=0");

    // Relative parts resolve as Windows resolves them.
    m.files = {"C:\\Drivers\\quorvin.inf", "C:\\Drivers\\quorvin.sys"};
    EXPECT_EQ(Run("e install ..\\..\\Drivers/./quorvin.inf"), 0) << outcome.message;
    EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 C:\\Drivers\\quorvin.inf");
}

TEST_F(Companion, PathThatCannotBeFormedIsAnError) {
    m.files = {Absolute("quorvin.inf")};
    m.AddFault(sim::Fault{"GetFullPathNameA"});
    EXPECT_EQ(Run("e install quorvin.inf"), 1);
    EXPECT_TRUE(OneErrorLine()) << outcome.message;
    EXPECT_EQ(m.CountCalls("SetupOpenInfFileA"), 0u);
    EXPECT_TRUE(m.infInstalls.empty());
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
