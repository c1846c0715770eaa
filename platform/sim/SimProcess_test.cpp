// Process facts and requests: the platform family, the WOW64 look-up, shell requests,
// setup information files and the class installer's property-change restart.
#include <gtest/gtest.h>

#include "platform/sim/SimTestHelpers.h"

using simtest::OpenAlone;
using simtest::Plan;

namespace {

class SimProcess : public ::testing::Test {
  protected:
    sim::Machine machine;
    sim::ScopedMachine scope{machine};
};

// What a caller of the seam does to learn whether it runs under WOW64.
std::optional<bool> AskWow64() {
    FARPROC proc = plat::GetProcAddress(plat::GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    if (proc == nullptr) {
        return std::nullopt;
    }
    auto isWow64 = reinterpret_cast<plat::IsWow64ProcessFn>(reinterpret_cast<void (*)()>(proc));
    BOOL wow64 = 7;
    if (!isWow64(plat::GetCurrentProcess(), &wow64)) {
        return std::nullopt;
    }
    return wow64 != FALSE;
}

TEST_F(SimProcess, VersionQueryReportsTheConfiguredFamilyOrFails) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(plat::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    machine.platformId = VER_PLATFORM_WIN32_WINDOWS;
    ASSERT_TRUE(plat::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));

    machine.versionQueryFails = true;
    info.dwPlatformId = 99;
    EXPECT_FALSE(plat::GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, 99u);
    machine.versionQueryFails = false;
    info.dwOSVersionInfoSize = 0;
    EXPECT_FALSE(plat::GetVersionExA(&info));
}

TEST_F(SimProcess, Wow64LookUpFollowsTheMode) {
    EXPECT_EQ(AskWow64(), std::nullopt);  // Absent: no entry point
    machine.wow64 = sim::Wow64Mode::NotWow64;
    EXPECT_EQ(AskWow64(), std::optional<bool>(false));
    machine.wow64 = sim::Wow64Mode::Wow64;
    EXPECT_EQ(AskWow64(), std::optional<bool>(true));
    machine.wow64 = sim::Wow64Mode::CallFails;
    EXPECT_EQ(AskWow64(), std::nullopt);
    EXPECT_EQ(machine.CountCalls("IsWow64Process"), 3u);
    EXPECT_EQ(machine.CallsOf("IsWow64Process").back().args, "process=-1");
    EXPECT_EQ(machine.CallsOf("GetProcAddress").back().args,
              "module=0x7C800000 name=IsWow64Process");

    machine.wow64 = sim::Wow64Mode::Wow64;
    EXPECT_EQ(plat::GetProcAddress(plat::GetModuleHandleA("user32.dll"), "IsWow64Process"),
              nullptr);
    EXPECT_EQ(plat::GetProcAddress(plat::GetModuleHandleA("KERNEL32.DLL"), "IsWow64Proces"),
              nullptr);
}

TEST_F(SimProcess, ShellRequestsAreRecordedAsGiven) {
    const HWND owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));
    const HINSTANCE result =
        plat::ShellExecuteA(owner, nullptr, "kevra64.exe", "U USB\\X\\1", nullptr, SW_SHOW);
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(result), 32u);
    ASSERT_EQ(machine.shellRequests.size(), 1u);
    const auto& request = machine.shellRequests[0];
    EXPECT_EQ(request.owner, owner);
    EXPECT_EQ(request.verb, std::nullopt);
    EXPECT_EQ(request.file, std::optional<std::string>("kevra64.exe"));
    EXPECT_EQ(request.parameters, std::optional<std::string>("U USB\\X\\1"));
    EXPECT_EQ(request.directory, std::nullopt);
    EXPECT_EQ(request.show, SW_SHOW);
    EXPECT_EQ(machine.CallsOf("ShellExecuteA")[0].args,
              "hwnd=0x1234 verb=null file=kevra64.exe params=U USB\\X\\1 dir=null show=5");

    machine.AddFault({"ShellExecuteA"});
    EXPECT_EQ(plat::ShellExecuteA(owner, "install", "quorvin.inf", nullptr, nullptr, SW_SHOW),
              nullptr);
    EXPECT_EQ(machine.shellRequests.size(), 1u);
}

TEST_F(SimProcess, InfFilesOpenOnlyWhenTheyExistAndAreCounted) {
    EXPECT_EQ(plat::SetupOpenInfFileW(u"quorvin.inf", nullptr, INF_STYLE_WIN4, nullptr),
              INVALID_HANDLE_VALUE);
    machine.files = {"quorvin.inf"};
    UINT line = 5;
    HINF inf = plat::SetupOpenInfFileW(u"QUORVIN.INF", nullptr, INF_STYLE_WIN4, &line);
    ASSERT_NE(inf, INVALID_HANDLE_VALUE);
    EXPECT_EQ(machine.OpenInfCount(), 1u);
    plat::InstallHinfSectionW(nullptr, nullptr, u"DefaultInstall 132 П\\quorvin.inf", 0);
    EXPECT_EQ(machine.infInstalls, (std::vector<std::string>{"DefaultInstall 132 П\\quorvin.inf"}));
    plat::SetupCloseInfFile(inf);
    plat::SetupCloseInfFile(inf);  // a second close is ignored
    EXPECT_EQ(machine.OpenInfCount(), 0u);
}

class SimClassInstaller : public ::testing::Test {
  protected:
    void SetUp() override {
        const DEVINST parent = machine.AddDevice(Plan(kComposite, sim::kClassUsb));
        machine.AddDevice(Plan(kInterface, sim::kClassHid), parent);
        set = OpenAlone(kComposite, element);
    }
    void TearDown() override {
        plat::SetupDiDestroyDeviceInfoList(set);
        EXPECT_EQ(machine.OpenSetCount(), 0u);
    }
    static SP_PROPCHANGE_PARAMS PropChange(DWORD state = DICS_PROPCHANGE) {
        SP_PROPCHANGE_PARAMS params{};
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = state;
        params.Scope = DICS_FLAG_CONFIGSPECIFIC;
        params.HwProfile = 0;
        return params;
    }
    BOOL SetParams(SP_PROPCHANGE_PARAMS params, DWORD size = sizeof(SP_PROPCHANGE_PARAMS)) {
        return plat::SetupDiSetClassInstallParamsA(set, &element, &params.ClassInstallHeader, size);
    }

    static constexpr const char* kComposite = "USB\\VID_1A2C&PID_4C5E\\5&1";
    static constexpr const char* kInterface = "USB\\VID_1A2C&PID_4C5E&MI_00\\6&1";
    sim::Machine machine;
    sim::ScopedMachine scope{machine};
    SP_DEVINFO_DATA element{};
    HDEVINFO set = nullptr;
};

TEST_F(SimClassInstaller, PropertyChangeRestartsTheDeviceAndItsSubtree) {
    const DEVINST before = machine.NodeOf(kComposite);
    const DEVINST childBefore = machine.NodeOf(kInterface);
    ASSERT_TRUE(SetParams(PropChange()));
    EXPECT_EQ(machine.CallsOf("SetupDiSetClassInstallParamsA")[0].args,
              "set=1 size=20 header=8 function=0x12 state=0x3 scope=0x2 profile=0");
    ASSERT_TRUE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));
    EXPECT_EQ(machine.restarts, (std::vector<std::string>{kComposite}));
    EXPECT_NE(machine.NodeOf(kComposite), before);
    EXPECT_NE(machine.NodeOf(kInterface), childBefore);
    EXPECT_EQ(machine.CallsOf("SetupDiCallClassInstaller")[0].args, "function=0x12 set=1");
    // The element used for the request is stale now, like every other one of the device.
    EXPECT_FALSE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));
    EXPECT_EQ(machine.restarts.size(), 1u);
}

TEST_F(SimClassInstaller, NothingRestartsWithoutValidPropertyChangeParameters) {
    EXPECT_FALSE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));
    EXPECT_FALSE(SetParams(PropChange(), 16));
    SP_PROPCHANGE_PARAMS badHeader = PropChange();
    badHeader.ClassInstallHeader.cbSize = 20;
    EXPECT_FALSE(SetParams(badHeader));
    EXPECT_FALSE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));

    ASSERT_TRUE(SetParams(PropChange(1)));  // a state change other than DICS_PROPCHANGE
    EXPECT_FALSE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));
    ASSERT_TRUE(SetParams(PropChange()));
    EXPECT_FALSE(plat::SetupDiCallClassInstaller(0x13, set, &element));
    // Windows' answer to a request that no installer handles.
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_DI_DO_DEFAULT));

    machine.AddFault({"SetupDiSetClassInstallParamsA", 0, kComposite});
    EXPECT_FALSE(SetParams(PropChange()));
    EXPECT_TRUE(machine.restarts.empty());
    ASSERT_TRUE(plat::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, &element));
    EXPECT_EQ(machine.restarts.size(), 1u);
}

}  // namespace
