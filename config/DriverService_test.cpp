#include "config/DriverService.h"

#include <gtest/gtest.h>

#include "device/DeviceState.h"
#include "platform/Platform.h"
#include "platform/sim/SimSystem.h"

namespace {

const std::string kDriverFile = "C:\\WINDOWS\\System32\\drivers\\quorvin.sys";

class DriverService : public ::testing::Test {
  protected:
    sim::Machine m;
    sim::ScopedMachine use{m};
    sim::System& system = m.system();

    // Every run leaves no handle of the service manager open.
    void TearDown() override { EXPECT_TRUE(system.serviceHandles.empty()); }
};

}  // namespace

TEST_F(DriverService, InstalledWithItsFileIsNotMissing) {
    sim::InstallDriverService(m, "quorvin");
    const DriverServiceState state = ReadFilterService();
    EXPECT_TRUE(state.known && state.installed && state.fileFound);
    EXPECT_EQ(state.imageFile, kDriverFile);
    EXPECT_FALSE(state.running);
    EXPECT_FALSE(state.Missing());
    EXPECT_EQ(m.CallsOf("OpenSCManagerA").at(0).args, "machine=null database=null access=0x1");
    EXPECT_EQ(m.CallsOf("OpenServiceA").at(0).args, "scm=1 name=quorvin access=0x5");

    system.FindService("quorvin")->currentState = SERVICE_RUNNING;
    EXPECT_TRUE(ReadFilterService().running);
}

TEST_F(DriverService, AServiceOrFileThatIsNotThereIsMissing) {
    EXPECT_TRUE(ReadFilterService().Missing()) << "not installed";
    sim::InstallDriverService(m, "quorvin", false);
    const DriverServiceState state = ReadFilterService();
    EXPECT_TRUE(state.installed);
    EXPECT_FALSE(state.fileFound);
    EXPECT_TRUE(state.Missing()) << "installed without its file";
}

TEST_F(DriverService, UnknownIsNeverMissing) {
    // The 9x family has no service manager; a failed manager or configuration read
    // tells nothing either.
    m.platformId = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_FALSE(ReadFilterService().known);
    EXPECT_FALSE(ReadFilterService().Missing());
    m.platformId = VER_PLATFORM_WIN32_NT;
    m.AddFault({"OpenSCManagerA"});
    EXPECT_FALSE(ReadFilterService().Missing());
    m.ClearFaults();
    sim::InstallDriverService(m, "quorvin", false);
    m.AddFault({"QueryServiceConfigA"});
    const DriverServiceState state = ReadFilterService();
    EXPECT_TRUE(state.installed);
    EXPECT_TRUE(state.imageFile.empty());
    EXPECT_FALSE(state.Missing());
}

TEST_F(DriverService, A32BitProcessLooksInThe64BitSystemFolder) {
    sim::InstallDriverService(m, "quorvin");
    m.wow64 = sim::Wow64Mode::Wow64;
    EXPECT_EQ(plat::GetFileAttributesA(kDriverFile.c_str()), INVALID_FILE_ATTRIBUTES)
        << "redirected to SysWOW64";
    EXPECT_TRUE(ReadFilterService().fileFound);
    EXPECT_FALSE(system.redirectionDisabled) << "switched back on";
    EXPECT_EQ(m.CountCalls("Wow64DisableWow64FsRedirection"), 1u);
    EXPECT_EQ(m.CountCalls("Wow64RevertWow64FsRedirection"), 1u);

    // Where the calls are missing there is no redirection to switch off either
    // (32-bit Windows XP), and where disabling fails nothing is reverted.
    m.wow64 = sim::Wow64Mode::NotWow64;
    system.redirectionCalls = false;
    m.ClearCalls();
    EXPECT_TRUE(ReadFilterService().fileFound);
    system.redirectionCalls = true;
    EXPECT_TRUE(ReadFilterService().fileFound);
    EXPECT_EQ(m.CountCalls("Wow64RevertWow64FsRedirection"), 0u);
}

TEST(DriverImageFile, EveryFormOfImagePathNamesTheFile) {
    sim::Machine m;
    sim::ScopedMachine use{m};
    const std::pair<const char*, const char*> cases[] = {
        {"\\SystemRoot\\System32\\drivers\\quorvin.sys",
         "C:\\WINDOWS\\System32\\drivers\\quorvin.sys"},
        {"\\systemroot\\system32\\DRIVERS\\q.sys", "C:\\WINDOWS\\system32\\DRIVERS\\q.sys"},
        {"System32\\drivers\\quorvin.sys", "C:\\WINDOWS\\System32\\drivers\\quorvin.sys"},
        {"%SystemRoot%\\System32\\drivers\\x.sys", "C:\\WINDOWS\\System32\\drivers\\x.sys"},
        {"\\??\\D:\\Drivers\\quorvin.sys", "D:\\Drivers\\quorvin.sys"},
        {"D:\\Drivers\\quorvin.sys", "D:\\Drivers\\quorvin.sys"},
        {"", "C:\\WINDOWS\\System32\\drivers\\quorvin.sys"}};
    for (const auto& [image, file] : cases) {
        EXPECT_EQ(DriverImageFile(image, "quorvin"), file) << image;
    }
    m.AddFault({"ExpandEnvironmentStringsA"});
    EXPECT_EQ(DriverImageFile("", "quorvin"), "");
}

TEST(DeviceStateText, CommonProblemsHaveTheirOwnWords) {
    EXPECT_NE(ProblemText(39).find("cannot load the driver"), std::string::npos);
    EXPECT_NE(ProblemText(43), ProblemText(10));
    EXPECT_EQ(ProblemText(9999), "the device reports a problem");
}
