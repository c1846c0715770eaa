#include "companion/Companion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "config/ConfigTestBench.h"

namespace {

using Args = std::vector<std::string>;

class Companion : public ::testing::Test {
  protected:
    ConfigBench bench;
    sim::Machine& m = bench.machine;
    std::ostringstream err;

    int Run(const std::string& commandLine) {
        err.str("");
        m.ClearCalls();
        return RunCompanion(commandLine, err);
    }
    // The companion leaves no set, key or file open behind.
    void TearDown() override {
        EXPECT_EQ(m.OpenSetCount(), 2u) << "only the bench's own sets";
        EXPECT_EQ(m.OpenInfCount(), 0u);
    }
    bool OneErrorLine() const {
        const std::string text = err.str();
        return std::count(text.begin(), text.end(), '\n') == 1 && text.back() == '\n';
    }
    static std::string Absolute(const std::string& name) {
        return (std::filesystem::current_path() / name).string();
    }
};

}  // namespace

TEST_F(Companion, RestartsTheNamedDeviceByTheSharedPropertyChange) {
    EXPECT_EQ(Run(std::string("U ") + ConfigBench::kComposite), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(m.restarts, Args{ConfigBench::kComposite});
    EXPECT_EQ(bench.ArgsOf("SetupDiCreateDeviceInfoList"), Args{"class=null hwnd=0"});
    EXPECT_EQ(bench.ArgsOf("SetupDiOpenDeviceInfoA"),
              Args{std::string("id=") + ConfigBench::kComposite +
                   " hwnd=0 flags=0x0 cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA))});
    EXPECT_EQ(bench.ArgsOf("SetupDiSetClassInstallParamsA"),
              Args{"size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0"});
    EXPECT_EQ(m.CountCalls("SetupDiDestroyDeviceInfoList"), 1u);
}

TEST_F(Companion, FailedRestartsAreReportedOnOneLine) {
    EXPECT_NE(Run("U USB\\VID_0000&PID_0000\\1&2&3"), 0);
    EXPECT_TRUE(OneErrorLine()) << err.str();
    EXPECT_EQ(m.CountCalls("SetupDiSetClassInstallParamsA"), 0u);

    m.AddFault(sim::Fault{"SetupDiSetClassInstallParamsA", 0, {}});
    EXPECT_NE(Run(std::string("U ") + ConfigBench::kComposite), 0);
    EXPECT_TRUE(OneErrorLine()) << err.str();
    EXPECT_EQ(m.CountCalls("SetupDiCallClassInstaller"), 0u);

    m.AddFault(sim::Fault{"SetupDiCreateDeviceInfoList", 0, {}});
    EXPECT_NE(Run(std::string("U ") + ConfigBench::kComposite), 0);
    EXPECT_TRUE(OneErrorLine()) << err.str();
    EXPECT_TRUE(m.restarts.empty());
}

TEST_F(Companion, InstallsTheFileByItsFullPath) {
    const std::string spaced = Absolute("driver files/quorvin.inf");
    m.files = {Absolute("quorvin.inf"), spaced};
    EXPECT_EQ(Run("e install quorvin.inf"), 0);
    EXPECT_EQ(bench.ArgsOf("SetupOpenInfFileA"),
              Args{"file=" + Absolute("quorvin.inf") + " class=null style=0x2"});
    EXPECT_EQ(bench.ArgsOf("InstallHinfSectionA"),
              Args{"hwnd=0 command=DefaultInstall 132 " + Absolute("quorvin.inf") + " show=0"});
    EXPECT_EQ(m.CountCalls("SetupCloseInfFile"), 1u);

    EXPECT_EQ(Run("e install \"" + spaced + "\""), 0);
    EXPECT_EQ(m.infInstalls.back(), "DefaultInstall 132 " + spaced);
    EXPECT_EQ(err.str(), "");
}

TEST_F(Companion, MissingFileIsAnErrorAndNothingInstalls) {
    EXPECT_NE(Run("e install quorvin.inf"), 0);
    EXPECT_TRUE(OneErrorLine()) << err.str();
    EXPECT_TRUE(m.infInstalls.empty());
}

TEST_F(Companion, AnyOtherCommandLineIsAnErrorBeforeAnyPlatformCall) {
    for (const char* line : {"", "U", "e install", "x", "e remove quorvin.inf", "u A\\1"}) {
        EXPECT_EQ(Run(line), 2) << line;
        EXPECT_TRUE(OneErrorLine()) << line;
        EXPECT_TRUE(m.Calls().empty()) << line;
    }
}
