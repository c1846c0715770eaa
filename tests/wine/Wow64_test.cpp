// The 32-bit programs' WOW64 paths, for real: this suite is the i686 build, run by a
// 64-bit Wine in its new WoW64 mode with the release's 64-bit kevra64.exe beside it
// (scripts/wow64/test.sh). The window's Restart and Install Service buttons call
// restart::RequestDeviceRestart and restart::RequestServiceInstall with a pump of their messages;
// here they are called the same way, against devices made by the Win32 test bed, and what the
// 64-bit companion did is read back through the 32-bit process's views of the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

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
#include "tests/wine/SuiteHandles.h"
#include "tests/wine/Win32DeviceBed.h"

namespace {

const std::string kWow64Device = "USB\\VID_1A2B&PID_0202\\7&3B4C5D6E&0&1";

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
// Detached, it has neither a console nor a standard error, as when a deployment system
// starts it; the wait is bounded either way.
DWORD CompanionExitCode(const std::string& parameters, bool detached = false) {
    const std::wstring companion = restart::CompanionFile();
    std::wstring commandLine = L"\"" + companion + L"\" " + restart::WidenAscii(parameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (detached) {
        startup.dwFlags = STARTF_USESTDHANDLES;  // all three null
    }
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(companion.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          detached ? DETACHED_PROCESS : 0, nullptr, nullptr, &startup, &process)) {
        return 0xFFFFFFFF;
    }
    const winbed::OwnedProcess running(process);
    DWORD code = 0xFFFFFFFF;
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    }
    return code;
}

// The lab mouse every device test of this suite restarts or shows.
void AddLabMouse(Win32DeviceBed& bed) {
    BedDevice plan;
    plan.instanceId = kWow64Device;
    plan.classGuid = device::guids::GUID_DEVCLASS_HIDCLASS;
    plan.description = "Lab Mouse";
    plan.hardwareIds = {"USB\\VID_1A2B&PID_0202"};
    bed.Add(plan);
}

// A folder holding the driver package (quorvin.inf and a stand-in quorvin.sys) and,
// when asked, copies of the shipped programs; named in UTF-16, so that it may be named
// in any script. It and everything in it go at the end.
class PackageFolder {
  public:
    explicit PackageFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        ::CreateDirectoryW(path_.c_str(), nullptr);
        Write(restart::WidenAscii(config::kInfFile),
              "[Version]\r\nSignature=\"$Windows NT$\"\r\n\r\n"
              "[DestinationDirs]\r\nDriverFiles=12\r\n\r\n"
              "[DefaultInstall]\r\nCopyFiles=DriverFiles\r\n\r\n"
              "[DefaultInstall.Services]\r\nAddService=quorvin,,FilterService\r\n\r\n"
              "[DriverFiles]\r\nquorvin.sys\r\n\r\n"
              "[FilterService]\r\nServiceType=1\r\nStartType=3\r\nErrorControl=1\r\n"
              "ServiceBinary=%12%\\quorvin.sys\r\n");
        Write(L"quorvin.sys", "not a driver, only its file");
    }
    ~PackageFolder() {
        for (const std::wstring& name : names_) {
            ::DeleteFileW((path_ + L"\\" + name).c_str());
        }
        ::RemoveDirectoryW(path_.c_str());
    }
    PackageFolder(const PackageFolder&) = delete;
    PackageFolder& operator=(const PackageFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // The folder exists and holds the package.
    bool ready() const {
        return ::GetFileAttributesW(File(restart::WidenAscii(config::kInfFile)).c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // A copy of a shipped program (winbed::ProgramFile) beside the package.
    bool Copy(const std::string& program) {
        names_.push_back(restart::WidenAscii(program));
        return ::CopyFileW(restart::WidenAscii(winbed::ProgramFile(program)).c_str(),
                           File(names_.back()).c_str(), FALSE) != FALSE;
    }
    void Remove(const std::wstring& name) const { ::DeleteFileW(File(name).c_str()); }

  private:
    void Write(const std::wstring& name, const std::string& text) {
        names_.push_back(name);
        const HANDLE file = ::CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            ::CloseHandle(file);
        }
    }

    std::wstring path_;
    std::vector<std::wstring> names_;
};

using winbed::ProgramRun;

std::string TakeFile(const std::wstring& path) {
    std::string text;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            text.append(buffer, read);
        }
        ::CloseHandle(file);
    }
    ::DeleteFileW(path.c_str());
    return text;
}

// Runs a program by its full path in a folder (its current one), its output and
// errors into files of this suite's folder; waits at most a minute.
ProgramRun RunIn(const std::wstring& folder, const std::wstring& program,
                 const std::string& arguments) {
    ProgramRun run;
    const std::wstring outPath = restart::WidenAscii(winbed::SuiteFolder()) + L"wow64-out.txt";
    const std::wstring errPath = restart::WidenAscii(winbed::SuiteFolder()) + L"wow64-err.txt";
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    {  // the output files are closed before they are read
        const winbed::OwnedHandle out(::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                    nullptr));
        const winbed::OwnedHandle err(::CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                    nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        std::wstring commandLine = L"\"" + program + L"\" " + restart::WidenAscii(arguments);
        PROCESS_INFORMATION process{};
        if (out.get() != INVALID_HANDLE_VALUE && err.get() != INVALID_HANDLE_VALUE &&
            ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, folder.c_str(), &startup, &process)) {
            const winbed::OwnedProcess running(process);
            if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
                ::GetExitCodeProcess(process.hProcess, &run.code);
            }
        }
    }
    run.out = TakeFile(outPath);
    run.err = TakeFile(errPath);
    return run;
}

// Whether the text has a name in the ANSI code page, letter for letter.
bool HasAnsiName(const std::wstring& text) {
    BOOL usedDefault = FALSE;
    char buffer[MAX_PATH * 2] = {};
    return ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                                 static_cast<int>(text.size()), buffer, sizeof buffer, nullptr,
                                 &usedDefault) > 0 &&
           !usedDefault;
}

}  // namespace

TEST(Wow64, TheProcessRunsUnderWow64WithTheSixtyFourBitCompanionBesideIt) {
    ASSERT_TRUE(restart::IsWow64()) << "this suite must run as a 32-bit process on a 64-bit system";
    EXPECT_EQ(Lower(Wow64Folder()), Lower(WindowsFolder() + "\\SysWOW64"));
    const std::string companion = restart::CompanionPath();
    EXPECT_EQ(companion, winbed::SuiteFolder() + config::kCompanion);
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
    restart::CompanionRun usage = restart::RunCompanionProgram(nullptr, "x", {});
    ASSERT_EQ(usage.kind, restart::CompanionRun::Kind::Finished);
    EXPECT_EQ(usage.exitCode, static_cast<DWORD>(restart::kCompanionUsage));

    restart::CompanionRun unknown = restart::RunCompanionProgram(
        nullptr, config::CompanionRestartParameters("USB\\VID_FFFF&PID_FFFF\\NOT&THERE"), {});
    ASSERT_EQ(unknown.kind, restart::CompanionRun::Kind::Finished);
    EXPECT_EQ(unknown.exitCode, static_cast<DWORD>(restart::kCompanionFailed));
    EXPECT_EQ(restart::OutcomeOfCompanionExit(unknown.exitCode).kind,
              restart::RestartOutcome::Kind::Failed);
}

// The Restart button under WOW64: the companion restarts the device by its instance
// ID, in the 64-bit process, while the caller's pump runs; the outcome is the one its
// exit code reports, and the device keeps its filter and rate.
TEST(Wow64, RestartGoesThroughTheCompanion) {
    const winbed::MessageBoxAnswerer answerer;
    Win32DeviceBed bed;
    AddLabMouse(bed);
    const std::string filters("quorvin\0\0", 9);
    bed.SetLowerFilters(kWow64Device, {REG_MULTI_SZ, filters});

    const DWORD direct = CompanionExitCode(config::CompanionRestartParameters(kWow64Device));
    ASSERT_NE(direct, 0xFFFFFFFFu) << "kevra64.exe did not start or end";
    if (bed.Has(Quirk::ClassInstallerFails)) {
        EXPECT_EQ(direct, static_cast<DWORD>(restart::kCompanionFailed))
            << "the restart is refused";
    }

    // Closed at the end: an open set would name Wine's node 0 for later tests.
    const device::DevInfoSetHandle set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    ASSERT_TRUE(set.valid());
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    ASSERT_TRUE(::SetupDiOpenDeviceInfoA(set.get(), kWow64Device.c_str(), nullptr, 0, &element));
    device::TDevice device(set.get(), element, set.get());
    int pumped = 0;
    const restart::RestartOutcome outcome =
        restart::RequestDeviceRestart(device, nullptr, [&pumped] { PumpMessages(pumped); });
    EXPECT_EQ(outcome, restart::OutcomeOfCompanionExit(direct)) << "exit code " << direct;
    EXPECT_NE(outcome.kind, restart::RestartOutcome::Kind::CompanionMissing);
    const auto kept = bed.LowerFilters(kWow64Device);
    EXPECT_EQ(kept ? kept->bytes : "<none>", filters);
}

// The Install Service button under WOW64: the companion installs quorvin.inf from the
// current folder, which puts the driver into the 64-bit System32\drivers; the 32-bit
// program's driver-file check finds it there only with the redirection off.
class Wow64Install : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(package_.ready());
        previousFolder_.resize(MAX_PATH);
        previousFolder_.resize(::GetCurrentDirectoryW(MAX_PATH, previousFolder_.data()));
        ASSERT_TRUE(::SetCurrentDirectoryW(package_.path().c_str()));
        RemoveInstalled();
    }

    void TearDown() override {
        ::SetCurrentDirectoryW(previousFolder_.c_str());
        RemoveInstalled();
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
        const restart::FileSystemRedirectionOff sixtyFourBitView;
        ::DeleteFileA(DriverIn64BitSystem().c_str());
    }

    static std::string DriverIn64BitSystem() {
        return WindowsFolder() + "\\System32\\drivers\\quorvin.sys";
    }

    PackageFolder package_{L"quorvin-wow64-package"};
    std::wstring previousFolder_;
};

TEST_F(Wow64Install, PutsTheDriverIntoTheSixtyFourBitSystemFolder) {
    const winbed::MessageBoxAnswerer answerer;
    const restart::DriverServiceState before = restart::ReadFilterService();
    ASSERT_TRUE(before.known);
    ASSERT_FALSE(before.installed);

    int pumped = 0;
    EXPECT_EQ(restart::RequestServiceInstall(nullptr, [&pumped] { PumpMessages(pumped); }),
              restart::InstallOutcome::Installed);

    const restart::DriverServiceState after = restart::ReadFilterService();
    EXPECT_TRUE(after.known);
    EXPECT_TRUE(after.installed);
    EXPECT_EQ(Lower(after.imageFile), Lower(DriverIn64BitSystem()));
    EXPECT_TRUE(after.fileFound) << "looked for with the redirection off";
    EXPECT_FALSE(after.Missing());
    // Not in the 32-bit system folder: the companion is a 64-bit process.
    EXPECT_FALSE(Exists(Wow64Folder() + "\\drivers\\quorvin.sys"));
    {
        const restart::FileSystemRedirectionOff sixtyFourBitView;
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
    AddLabMouse(bed);

    const std::string setup = winbed::ProgramFile("QuorvinSetup.exe");
    std::string commandLine = "\"" + setup + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(setup.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &process))  // in the package
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
        installed = restart::ReadFilterService().installed;
    }
    EXPECT_TRUE(installed) << "the companion did not install the service";
    const restart::DriverServiceState after = restart::ReadFilterService();
    EXPECT_TRUE(after.fileFound);
    EXPECT_FALSE(Exists(Wow64Folder() + "\\drivers\\quorvin.sys"));

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
}

// quorvin.exe in a folder named in a script the ANSI code page lacks (a Cyrillic user
// name on a Western system): it finds kevra64.exe beside it, and the companion installs
// the package from that folder.
TEST_F(Wow64Install, TheCommandLineWorksFromAFolderNamedInAnotherScript) {
    PackageFolder cyrillic(L"quorvin-Пример-пакет");
    ASSERT_TRUE(cyrillic.ready());
    ASSERT_FALSE(HasAnsiName(cyrillic.path())) << "the code page has these letters: no test";
    ASSERT_TRUE(cyrillic.Copy("quorvin.exe"));
    ASSERT_TRUE(cyrillic.Copy(config::kCompanion));

    const ProgramRun run = RunIn(cyrillic.path(), cyrillic.File(L"quorvin.exe"), "install");
    EXPECT_EQ(run.code, 0u) << run.out << run.err;
    EXPECT_NE(run.out.find("install done"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("missing"), std::string::npos) << run.err;
    const restart::DriverServiceState after = restart::ReadFilterService();
    EXPECT_TRUE(after.installed);
    EXPECT_TRUE(after.fileFound);
}

// Without quorvin.inf beside it, quorvin.exe says that the installation failed and
// why, and exits 1: never a report of success nobody checked.
TEST_F(Wow64Install, WithoutTheSetupInformationFileTheCommandLineFails) {
    package_.Remove(restart::WidenAscii(config::kInfFile));
    const ProgramRun run =
        RunIn(package_.path(), restart::WidenAscii(winbed::ProgramFile("quorvin.exe")), "install");
    EXPECT_EQ(run.code, 1u) << run.out << run.err;
    EXPECT_NE(run.err.find("the driver service could not be installed"), std::string::npos)
        << run.err;
    EXPECT_FALSE(restart::ReadFilterService().installed);
}

// Run by a deployment system, the companion has neither a console nor a standard
// error. With the quiet switch it ends without a message box, by its exit code alone;
// without it, the box that waits for a click is there (and is answered here).
TEST(Wow64, TheQuietCompanionNeverWaitsForAClick) {
    const winbed::MessageBoxAnswerer answerer;
    EXPECT_EQ(CompanionExitCode("/q x", true), static_cast<DWORD>(restart::kCompanionUsage));
    EXPECT_FALSE(answerer.Answered()) << "a quiet companion showed a message box";
    EXPECT_EQ(CompanionExitCode("x", true), static_cast<DWORD>(restart::kCompanionUsage));
    EXPECT_TRUE(answerer.Answered()) << "without the switch a box should have asked";
}

// The undo journal is in the program-data folder, which WOW64 does not redirect: the
// 32-bit programs and the 64-bit view name the same file.
TEST(Wow64, TheJournalLivesInTheProgramDataFolder) {
    char programData[MAX_PATH] = {};
    ASSERT_NE(::GetEnvironmentVariableA("ProgramData", programData, MAX_PATH), 0u);
    const std::string path = journal::JournalPath();
    EXPECT_EQ(Lower(path), Lower(std::string(programData) + "\\" + journal::kJournalFolderName +
                                 "\\" + journal::kJournalFileName));
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
