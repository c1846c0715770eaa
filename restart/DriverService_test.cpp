#include "restart/DriverService.h"

#include <gtest/gtest.h>

#include "device/DeviceState.h"
#include "platform/Platform.h"
#include "platform/sim/SimSystem.h"

namespace restart {

namespace {

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
    EXPECT_EQ(state.imageFile, sim::kDriverFile);
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

TEST_F(DriverService, OnlyNoSuchServiceMeansNotInstalled) {
    const DriverServiceState absent = ReadFilterService();
    EXPECT_TRUE(absent.known && absent.asked && !absent.installed);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_TRUE(absent.Missing());
    EXPECT_FALSE(absent.Unknown());

    // Access denied: installed or not, nobody can tell.
    sim::InstallDriverService(m, "quorvin", false);
    system.FindService("quorvin")->deniedAccess = SERVICE_QUERY_STATUS;
    const DriverServiceState denied = ReadFilterService();
    EXPECT_FALSE(denied.known);
    EXPECT_TRUE(denied.Unknown());
    EXPECT_FALSE(denied.Missing());
    EXPECT_EQ(denied.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));

    // Any other failure of the service manager likewise, with its own code.
    system.FindService("quorvin")->deniedAccess = 0;
    m.AddFault({"OpenServiceA", 0, {}, ERROR_INVALID_HANDLE});
    EXPECT_EQ(ReadFilterService().error, static_cast<DWORD>(ERROR_INVALID_HANDLE));
    m.ClearFaults();
    system.serviceManager = false;
    EXPECT_EQ(ReadFilterService().error, static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_TRUE(ReadFilterService().Unknown());
}

TEST_F(DriverService, ServiceAndFileCallsSetTheLastErrorAsWindowsDoes) {
    sim::InstallDriverService(m, "quorvin");
    const SC_HANDLE manager = plat::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(plat::OpenServiceA(manager, "", SERVICE_QUERY_STATUS), nullptr);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    // A handle opened for status alone cannot read the configuration.
    const SC_HANDLE service = plat::OpenServiceA(manager, "QUORVIN", SERVICE_QUERY_STATUS);
    ASSERT_NE(service, nullptr);
    DWORD needed = 0;
    EXPECT_FALSE(plat::QueryServiceConfigA(service, nullptr, 0, &needed));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(plat::QueryServiceConfigA(manager, nullptr, 0, &needed));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(plat::CloseServiceHandle(service));
    EXPECT_FALSE(plat::CloseServiceHandle(service));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(plat::CloseServiceHandle(manager));

    // A configuration read with a short buffer says how much it needs.
    const SC_HANDLE again = plat::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    const SC_HANDLE config = plat::OpenServiceA(again, "quorvin", SERVICE_QUERY_CONFIG);
    EXPECT_FALSE(plat::QueryServiceConfigA(config, nullptr, 0, &needed));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_GT(needed, sizeof(QUERY_SERVICE_CONFIGA));
    plat::CloseServiceHandle(config);
    plat::CloseServiceHandle(again);

    // A missing file, and one whose folder is missing too; success leaves the code.
    EXPECT_EQ(plat::GetFileAttributesA("C:\\WINDOWS\\System32\\drivers\\none.sys"),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(plat::GetFileAttributesA("C:\\NoFolder\\none.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(plat::GetFileAttributesA(sim::kDriverFile.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    m.platformId = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(plat::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
}

TEST_F(DriverService, A32BitProcessLooksInThe64BitSystemFolder) {
    sim::InstallDriverService(m, "quorvin");
    m.wow64 = sim::Wow64Mode::Wow64;
    EXPECT_EQ(plat::GetFileAttributesA(sim::kDriverFile.c_str()), INVALID_FILE_ATTRIBUTES)
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
    EXPECT_NE(device::ProblemText(39).find("cannot load the driver"), std::string::npos);
    EXPECT_NE(device::ProblemText(43), device::ProblemText(10));
    EXPECT_EQ(device::ProblemText(9999), "the device reports a problem");
}

}  // namespace restart
