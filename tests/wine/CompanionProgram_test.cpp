// kevra64.exe under Wine, started as the setup program starts it: by its full path
// from the starting program's own folder (RunCompanionProgram), while the current
// folder is another one, named in the ANSI code page with a letter outside ASCII
// ("Données"), that holds quorvin.inf (with the driver file it installs) and a
// planted kevra64.exe. The build puts a copy of the companion beside this suite for
// that.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "restart/CompanionLauncher.h"
#include "config/DriverPackage.h"
#include "restart/FileSystemRedirection.h"
#include "tests/wine/ProgramFolder.h"
#include "tests/wine/RegKey.h"
#include "tests/wine/SuiteHandles.h"

namespace {

const std::string kMarkerKey = "Software\\QuorvinCompanionTest";

using winbed::OwnedHandle;

using winbed::SuiteFolder;

std::string CurrentFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, length < MAX_PATH ? length : 0);
}

// The folder that the setup information file was installed from, as its default
// installation wrote it (Wine gives DIRID 1 with a closing backslash).
std::string InstalledFrom() {
    // The 64-bit companion wrote it to the 64-bit registry view, which a 32-bit
    // process (the WoW64 suite) reaches only when it asks for that view.
    const winbed::RegKey key =
        winbed::OpenKey(HKEY_LOCAL_MACHINE, kMarkerKey, KEY_READ | KEY_WOW64_64KEY);
    if (!key.valid()) {
        return "<absent>";
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    if (::RegQueryValueExA(key.get(), "Installed", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                           &size) != ERROR_SUCCESS) {
        return "<absent>";
    }
    std::string folder = value;
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

// The folder, its setup information file (whose default installation writes the
// folder it was installed from, DIRID 1, into the registry) and the planted
// companion, a copy of quorvin.exe, which does not understand the command line.
// The current folder and the search path lead to it while a test runs.
class CompanionInOtherFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::GetACP(), 1252u) << "the folder's name is written in code page 1252";
        char temp[MAX_PATH] = {};
        ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) +
                  "quorvin-Donn\xE9"
                  "es";
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_NE(::GetFileAttributesA(folder_.c_str()), INVALID_FILE_ATTRIBUTES);
        std::ofstream(folder_ + "\\" + config::kInfFile, std::ios::binary | std::ios::trunc)
            << "[Version]\r\nSignature=\"$Windows NT$\"\r\n\r\n"
               "[DestinationDirs]\r\nDriverFiles=12\r\n\r\n"
               "[DefaultInstall]\r\nAddReg=Marker\r\nCopyFiles=DriverFiles\r\n\r\n"
               "[DefaultInstall.Services]\r\nAddService=quorvin,,FilterService\r\n\r\n"
               "[DriverFiles]\r\nquorvin.sys\r\n\r\n"
               "[FilterService]\r\nServiceType=1\r\nStartType=3\r\nErrorControl=1\r\n"
               "ServiceBinary=%12%\\quorvin.sys\r\n\r\n"
               "[Marker]\r\nHKLM,\"" +
                   kMarkerKey + "\",\"Installed\",0,\"%1%\"\r\n";
        std::ofstream(folder_ + "\\quorvin.sys", std::ios::binary | std::ios::trunc)
            << "not a driver, only its file";
        RemoveInstalledService();
        ASSERT_TRUE(::CopyFileA(winbed::ProgramFile("quorvin.exe").c_str(),
                                (folder_ + "\\" + config::kCompanion).c_str(), FALSE));
        ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kMarkerKey.c_str(), KEY_WOW64_64KEY, 0);

        previousFolder_ = CurrentFolder();
        ASSERT_TRUE(::SetCurrentDirectoryA(folder_.c_str()));
        char path[32768] = {};
        ::GetEnvironmentVariableA("PATH", path, sizeof path);
        previousPath_ = path;
        ::SetEnvironmentVariableA("PATH", (folder_ + ";" + previousPath_).c_str());
    }

    void TearDown() override {
        ::SetEnvironmentVariableA("PATH", previousPath_.c_str());
        ::SetCurrentDirectoryA(previousFolder_.c_str());
        ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kMarkerKey.c_str(), KEY_WOW64_64KEY, 0);
        RemoveInstalledService();
        ::DeleteFileA((folder_ + "\\quorvin.sys").c_str());
        ::DeleteFileA((folder_ + "\\" + config::kInfFile).c_str());
        ::DeleteFileA((folder_ + "\\" + config::kCompanion).c_str());
        ::RemoveDirectoryA(folder_.c_str());
    }

    // The companion reads the service back after installing, so the package installs
    // a real one; the prefix's registry is restored before each run, its files are not.
    static void RemoveInstalledService() {
        if (SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {
            if (SC_HANDLE service = ::OpenServiceA(manager, "quorvin", DELETE)) {
                ::DeleteService(service);
                ::CloseServiceHandle(service);
            }
            ::CloseServiceHandle(manager);
        }
        char windows[MAX_PATH] = {};
        ::GetWindowsDirectoryA(windows, MAX_PATH);
        const restart::FileSystemRedirectionOff sixtyFourBitView;
        ::DeleteFileA((std::string(windows) + "\\System32\\drivers\\quorvin.sys").c_str());
    }

    std::string folder_;
    std::string previousFolder_;
    std::string previousPath_;
};

}  // namespace

TEST_F(CompanionInOtherFolder, InstallsTheFileOfTheCurrentFolderByTheOneBesideTheProgram) {
    const restart::CompanionRun run =
        restart::RunCompanionProgram(nullptr, config::kCompanionInstallParameters, {});
    EXPECT_EQ(run.path, SuiteFolder() + config::kCompanion);
    ASSERT_EQ(run.kind, restart::CompanionRun::Kind::Finished);
    EXPECT_EQ(run.exitCode, 0u) << "2 would be the planted program";
    // The folder's name reached the setup functions whole.
    EXPECT_EQ(InstalledFrom(), folder_);
}

TEST_F(CompanionInOtherFolder, RunsFromAFolderWithSuchAName) {
    // The companion itself in that folder, as when the release is unpacked there.
    const std::string companion = folder_ + "\\" + config::kCompanion;
    ASSERT_TRUE(
        ::CopyFileA((SuiteFolder() + config::kCompanion).c_str(), companion.c_str(), FALSE));
    std::string commandLine = "\"" + companion + "\" " + config::kCompanionInstallParameters;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(companion.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &process));
    const OwnedHandle thread(process.hThread);
    const OwnedHandle running(process.hProcess);
    DWORD exitCode = 0xFFFFFFFF;
    EXPECT_EQ(::WaitForSingleObject(running.get(), 60000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(running.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(InstalledFrom(), folder_);
}

// The companion in a folder named in a script the ANSI code page lacks (a Cyrillic
// user name on a Western system), installing the file of that folder: its path goes
// from the command line to the setup functions in UTF-16, whole.
TEST_F(CompanionInOtherFolder, InstallsFromAFolderNamedInAnotherScript) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"quorvin-Пример";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring from = std::wstring(temp) + L"quorvin-Donn\u00E9es\\";
    const wchar_t* names[] = {L"quorvin.inf", L"quorvin.sys", L"kevra64.exe"};
    ASSERT_TRUE(::CopyFileW((from + names[0]).c_str(), (folder + L"\\" + names[0]).c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW((from + names[1]).c_str(), (folder + L"\\" + names[1]).c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(restart::WidenAscii(SuiteFolder() + config::kCompanion).c_str(),
                            (folder + L"\\" + names[2]).c_str(), FALSE));
    const std::wstring companion = folder + L"\\" + names[2];
    std::wstring commandLine =
        L"\"" + companion + L"\" " + restart::WidenAscii(config::kCompanionInstallParameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(companion.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, folder.c_str(), &startup, &process);
    DWORD exitCode = 0xFFFFFFFF;
    if (started) {
        const OwnedHandle thread(process.hThread);
        const OwnedHandle running(process.hProcess);
        EXPECT_EQ(::WaitForSingleObject(running.get(), 60000), WAIT_OBJECT_0);
        ::GetExitCodeProcess(running.get(), &exitCode);
    }
    // Where the default installation says it installed from, in UTF-16.
    std::wstring installed = L"<absent>";
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, restart::WidenAscii(kMarkerKey).c_str(), 0,
                        KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
        wchar_t value[MAX_PATH] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        if (::RegQueryValueExW(key, L"Installed", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                               &size) == ERROR_SUCCESS) {
            installed = value;
        }
        ::RegCloseKey(key);
    }
    for (const wchar_t* name : names) {
        ::DeleteFileW((folder + L"\\" + name).c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u);
    if (!installed.empty() && installed.back() == L'\\') {
        installed.pop_back();
    }
    EXPECT_TRUE(installed == folder) << "the marker names another folder";
}
