// The driver-service queries against Wine's real service manager: a dummy kernel
// driver service is installed in the prefix for the test (and removed again), with a
// file where its image path points.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "restart/DriverService.h"
#include "restart/FileSystemRedirection.h"
#include "restart/ServiceHandle.h"
#include "device/DeviceState.h"

namespace {

constexpr const char* kName = "quorvintest";

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

class WineServices : public ::testing::Test {
  protected:
    void SetUp() override {
        const restart::ServiceHandle manager(
            ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(manager.valid());
        const restart::ServiceHandle service(
            ::CreateServiceA(manager.get(), kName, kName, SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                             SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                             "\\SystemRoot\\System32\\drivers\\quorvintest.sys", nullptr, nullptr,
                             nullptr, nullptr, nullptr));
        ASSERT_TRUE(service.valid()) << ::GetLastError();
    }
    void TearDown() override {
        {
            const restart::FileSystemRedirectionOff sixtyFourBitView;
            ::DeleteFileA(file_.c_str());
        }
        const restart::ServiceHandle manager(
            ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        const restart::ServiceHandle service(::OpenServiceA(manager.get(), kName, DELETE));
        ASSERT_TRUE(service.valid());
        EXPECT_TRUE(::DeleteService(service.get()));
    }
    // In the 64-bit system folder, where the service manager and ReadDriverService
    // look: a 32-bit process (the WoW64 suite) sees SysWOW64 under that name.
    void CreateDriverFile() {
        const restart::FileSystemRedirectionOff sixtyFourBitView;
        const HANDLE file = ::CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ::CloseHandle(file);
    }
    const std::string file_ = SystemFolder() + "\\drivers\\quorvintest.sys";
};

}  // namespace

TEST_F(WineServices, AnInstalledServiceIsFoundWithItsImageFile) {
    restart::DriverServiceState state = restart::ReadDriverService(kName);
    EXPECT_TRUE(state.known);
    EXPECT_TRUE(state.installed);
    EXPECT_EQ(_stricmp(state.imageFile.c_str(), file_.c_str()), 0) << state.imageFile;
    EXPECT_FALSE(state.fileFound);
    EXPECT_FALSE(state.running);
    EXPECT_TRUE(state.Missing());

    CreateDriverFile();
    state = restart::ReadDriverService(kName);
    EXPECT_TRUE(state.fileFound);
    EXPECT_FALSE(state.Missing());
}

TEST_F(WineServices, AServiceThatIsNotThereIsMissing) {
    const restart::DriverServiceState state = restart::ReadDriverService("quorvin-not-installed");
    EXPECT_TRUE(state.known);
    EXPECT_FALSE(state.installed);
    EXPECT_TRUE(state.Missing());
}

TEST(WineDeviceState, ADeviceThatIsNotPresentIsNotLocated) {
    const device::DeviceState state =
        device::ReadDeviceState("USB\\VID_0000&PID_0000\\QUORVIN-ABSENT");
    EXPECT_FALSE(state.present);
    EXPECT_FALSE(state.HasProblem());
}
