// The 32-bit programs' WOW64 paths, for real: this suite is the i686 build, run by a
// 64-bit Wine in its new WoW64 mode with the release's 64-bit kevra64.exe beside it
// (scripts/wow64/test.sh). The window's Restart and Install Service buttons call
// RequestDeviceRestart and RequestServiceInstall with a pump of their messages; here
// they are called the same way, against devices made by the Win32 test bed, and what
// the 64-bit companion did is read back through the 32-bit process's views of the
// system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>

#include "restart/CompanionLauncher.h"
#include "config/DriverPackage.h"
#include "restart/DriverService.h"
#include "restart/FileSystemRedirection.h"
#include "restart/Restart.h"
#include "device/DevInfo.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "hardening/DllSearch.h"
#include "journal/JournalStore.h"
#include "tests/wine/ProgramFolder.h"
#include "tests/wine/ProgramWindow.h"
#include "tests/wine/Win32DeviceBed.h"

namespace {

const std::string kDevice = "USB\\VID_1A2B&PID_0202\\7&3B4C5D6E&0&1";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

std::string Wow64Folder() {
    char path[MAX_PATH] = {};
    const UINT length = ::GetSystemWow64DirectoryA(path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

// Runs the pump the way the window's wait does: whatever arrives is dispatched.
void PumpMessages(int& pumped) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ++pumped;
}

// kevra64.exe started directly, as a 64-bit child of this 32-bit process; its exit code.
DWORD CompanionExitCode(const std::string& parameters) {
    const std::string companion = CompanionPath();
    std::string commandLine = "\"" + companion + "\" " + parameters;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(companion.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process)) {
        return 0xFFFFFFFF;
    }
    DWORD code = 0xFFFFFFFF;
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

}  // namespace

TEST(Wow64, TheProcessRunsUnderWow64WithTheSixtyFourBitCompanionBesideIt) {
    ASSERT_TRUE(IsWow64()) << "this suite must run as a 32-bit process on a 64-bit system";
    EXPECT_EQ(Lower(Wow64Folder()), Lower(WindowsFolder() + "\\SysWOW64"));
    const std::string companion = CompanionPath();
    EXPECT_EQ(companion, winbed::SuiteFolder() + kCompanion);
    ASSERT_TRUE(Exists(companion)) << "scripts/wow64/test.sh puts the release's kevra64.exe here";
    // The companion is the 64-bit program: its PE header names the x64 machine.
    std::ifstream file(companion, std::ios::binary);
    std::string head(4096, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(head.data());
    ASSERT_LT(static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32), head.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(head.data() + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
}

// The companion's exit codes reach the 32-bit program unchanged, and each is
// reported as on Windows.
TEST(Wow64, TheCompanionsExitCodesComeBack) {
    const winbed::MessageBoxAnswerer answerer;
    CompanionRun usage = RunCompanionProgram(nullptr, "x", {});
    ASSERT_EQ(usage.kind, CompanionRun::Kind::Finished);
    EXPECT_EQ(usage.exitCode, static_cast<DWORD>(kCompanionUsage));

    CompanionRun unknown = RunCompanionProgram(
        nullptr, CompanionRestartParameters("USB\\VID_FFFF&PID_FFFF\\NOT&THERE"), {});
    ASSERT_EQ(unknown.kind, CompanionRun::Kind::Finished);
    EXPECT_EQ(unknown.exitCode, static_cast<DWORD>(kCompanionFailed));
    EXPECT_EQ(OutcomeOfCompanionExit(unknown.exitCode).kind, RestartOutcome::Kind::Failed);
}

// The Restart button under WOW64: the companion restarts the device by its instance
// ID, in the 64-bit process, while the caller's pump runs; the outcome is the one its
// exit code reports, and the device keeps its filter and rate.
TEST(Wow64, RestartGoesThroughTheCompanion) {
    const winbed::MessageBoxAnswerer answerer;
    Win32DeviceBed bed;
    BedDevice plan;
    plan.instanceId = kDevice;
    plan.classGuid = guids::GUID_DEVCLASS_HIDCLASS;
    plan.description = "Lab Mouse";
    plan.hardwareIds = {"USB\\VID_1A2B&PID_0202"};
    bed.Add(plan);
    const std::string filters("quorvin\0\0", 9);
    bed.SetLowerFilters(kDevice, {REG_MULTI_SZ, filters});

    const DWORD direct = CompanionExitCode(CompanionRestartParameters(kDevice));
    ASSERT_NE(direct, 0xFFFFFFFFu) << "kevra64.exe did not start or end";
    if (bed.Has(Quirk::ClassInstallerFails)) {
        EXPECT_EQ(direct, static_cast<DWORD>(kCompanionFailed)) << "the restart is refused";
    }

    // Closed at the end: an open set would name Wine's node 0 for later tests.
    const DevInfoSetHandle set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    ASSERT_TRUE(set.valid());
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    ASSERT_TRUE(::SetupDiOpenDeviceInfoA(set.get(), kDevice.c_str(), nullptr, 0, &element));
    TDevice device(set.get(), element, set.get());
    int pumped = 0;
    const RestartOutcome outcome =
        RequestDeviceRestart(device, nullptr, [&pumped] { PumpMessages(pumped); });
    EXPECT_EQ(outcome, OutcomeOfCompanionExit(direct)) << "exit code " << direct;
    EXPECT_NE(outcome.kind, RestartOutcome::Kind::CompanionMissing);
    const auto kept = bed.LowerFilters(kDevice);
    EXPECT_EQ(kept ? kept->bytes : "<none>", filters);
}

// The Install Service button under WOW64: the companion installs quorvin.inf from the
// current folder, which puts the driver into the 64-bit System32\drivers; the 32-bit
// program's driver-file check finds it there only with the redirection off.
class Wow64Install : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "quorvin-wow64-package";
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        std::ofstream(folder_ + "\\" + kInfFile, std::ios::binary | std::ios::trunc)
            << "[Version]\r\nSignature=\"$Windows NT$\"\r\n\r\n"
               "[DestinationDirs]\r\nDriverFiles=12\r\n\r\n"
               "[DefaultInstall]\r\nCopyFiles=DriverFiles\r\n\r\n"
               "[DefaultInstall.Services]\r\nAddService=quorvin,,FilterService\r\n\r\n"
               "[DriverFiles]\r\nquorvin.sys\r\n\r\n"
               "[FilterService]\r\nServiceType=1\r\nStartType=3\r\nErrorControl=1\r\n"
               "ServiceBinary=%12%\\quorvin.sys\r\n";
        std::ofstream(folder_ + "\\quorvin.sys", std::ios::binary | std::ios::trunc)
            << "not a driver, only its file";
        previousFolder_.resize(MAX_PATH);
        previousFolder_.resize(::GetCurrentDirectoryA(MAX_PATH, previousFolder_.data()));
        ASSERT_TRUE(::SetCurrentDirectoryA(folder_.c_str()));
        RemoveInstalled();
    }

    void TearDown() override {
        ::SetCurrentDirectoryA(previousFolder_.c_str());
        RemoveInstalled();
        ::DeleteFileA((folder_ + "\\" + kInfFile).c_str());
        ::DeleteFileA((folder_ + "\\quorvin.sys").c_str());
        ::RemoveDirectoryA(folder_.c_str());
    }

    // The service and its file: the prefix's registry is restored before each run,
    // its files are not.
    static void RemoveInstalled() {
        if (SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {
            if (SC_HANDLE service = ::OpenServiceA(manager, "quorvin", DELETE)) {
                ::DeleteService(service);
                ::CloseServiceHandle(service);
            }
            ::CloseServiceHandle(manager);
        }
        const FileSystemRedirectionOff sixtyFourBitView;
        ::DeleteFileA(DriverIn64BitSystem().c_str());
    }

    static std::string DriverIn64BitSystem() {
        return WindowsFolder() + "\\System32\\drivers\\quorvin.sys";
    }

    std::string folder_;
    std::string previousFolder_;
};

TEST_F(Wow64Install, PutsTheDriverIntoTheSixtyFourBitSystemFolder) {
    const winbed::MessageBoxAnswerer answerer;
    const DriverServiceState before = ReadFilterService();
    ASSERT_TRUE(before.known);
    ASSERT_FALSE(before.installed);

    int pumped = 0;
    EXPECT_EQ(RequestServiceInstall(nullptr, [&pumped] { PumpMessages(pumped); }),
              InstallOutcome::Installed);

    const DriverServiceState after = ReadFilterService();
    EXPECT_TRUE(after.known);
    EXPECT_TRUE(after.installed);
    EXPECT_EQ(Lower(after.imageFile), Lower(DriverIn64BitSystem()));
    EXPECT_TRUE(after.fileFound) << "looked for with the redirection off";
    EXPECT_FALSE(after.Missing());
    // Not in the 32-bit system folder: the companion is a 64-bit process.
    EXPECT_FALSE(Exists(Wow64Folder() + "\\drivers\\quorvin.sys"));
    {
        const FileSystemRedirectionOff sixtyFourBitView;
        ASSERT_TRUE(sixtyFourBitView.active());
        EXPECT_TRUE(Exists(DriverIn64BitSystem()));
    }
    // With the redirection on, System32 is SysWOW64 to this process: no driver there.
    EXPECT_FALSE(Exists(DriverIn64BitSystem()));
}

// The same through the shipped 32-bit window: its Install Service button, clicked,
// runs the 64-bit companion beside it, from the folder the window was started in.
TEST_F(Wow64Install, TheWindowsButtonInstallsThroughTheCompanion) {
    const winbed::MessageBoxAnswerer answerer;
    Win32DeviceBed bed;
    BedDevice plan;
    plan.instanceId = kDevice;
    plan.classGuid = guids::GUID_DEVCLASS_HIDCLASS;
    plan.description = "Lab Mouse";
    plan.hardwareIds = {"USB\\VID_1A2B&PID_0202"};
    bed.Add(plan);

    const std::string setup = winbed::ProgramFile("QuorvinSetup.exe");
    std::string commandLine = "\"" + setup + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(setup.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, folder_.c_str(), &startup, &process))
        << ::GetLastError();
    const winbed::OwnedProcess running(process);
    const HWND window = winbed::WaitForTopLevelWindow(process.dwProcessId, 60000);
    ASSERT_NE(window, nullptr) << "the window did not open";
    const HWND button = winbed::FindChildByText(window, "Install Service");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(::IsWindowEnabled(button));
    ASSERT_TRUE(::PostMessageA(button, BM_CLICK, 0, 0));

    bool installed = false;
    for (int tries = 0; tries < 600 && !installed; ++tries) {
        ::Sleep(100);
        installed = ReadFilterService().installed;
    }
    EXPECT_TRUE(installed) << "the companion did not install the service";
    const DriverServiceState after = ReadFilterService();
    EXPECT_TRUE(after.fileFound);
    EXPECT_FALSE(Exists(Wow64Folder() + "\\drivers\\quorvin.sys"));

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
}

// The undo journal is in the program-data folder, which WOW64 does not redirect: the
// 32-bit programs and the 64-bit view name the same file.
TEST(Wow64, TheJournalLivesInTheProgramDataFolder) {
    char programData[MAX_PATH] = {};
    ASSERT_NE(::GetEnvironmentVariableA("ProgramData", programData, MAX_PATH), 0u);
    const std::string path = JournalPath();
    EXPECT_EQ(Lower(path), Lower(std::string(programData) + "\\" + kJournalFolderName + "\\" +
                                 kJournalFileName));
    EXPECT_EQ(Lower(path).find("syswow64"), std::string::npos);
}

// The first calls every program makes: under WOW64 they succeed, the current folder
// leaves the search and system DLLs still load, from the 32-bit system folder.
TEST(Wow64, TheDllSearchCallsSucceed) {
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    ASSERT_NE(setDefault, nullptr);
    EXPECT_TRUE(setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) << ::GetLastError();
    EXPECT_TRUE(::SetDllDirectoryA("")) << ::GetLastError();
    // The programs' own first call, which makes the same two.
    hardening::RestrictDllSearch();
    char directory[MAX_PATH] = "unchanged";
    ::SetLastError(0);
    EXPECT_EQ(::GetDllDirectoryA(MAX_PATH, directory), 0u);
    EXPECT_EQ(::GetLastError(), 0u);
    EXPECT_STREQ(directory, "");

    const HMODULE version = ::LoadLibraryA("version.dll");
    ASSERT_NE(version, nullptr) << ::GetLastError();
    // From the system folder as a 32-bit process knows it: System32 by name, or
    // SysWOW64, where the redirection takes it.
    char loaded[MAX_PATH] = {};
    ::GetModuleFileNameA(version, loaded, MAX_PATH);
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string where = Lower(loaded);
    EXPECT_TRUE(where == Lower(std::string(system) + "\\version.dll") ||
                where == Lower(Wow64Folder() + "\\version.dll"))
        << loaded;
    ::FreeLibrary(version);
}
