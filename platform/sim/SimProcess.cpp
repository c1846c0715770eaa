// Version, module and process queries, the shell and setup information files, as
// the seam answers them from the current machine's process facts.
#include "platform/Platform.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimNames.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

using sim::Machine;

namespace {

// OSVERSIONINFOEXA adds 8 bytes to OSVERSIONINFOA; the platform accepts both sizes.
constexpr DWORD kVersionInfoExSize = sizeof(OSVERSIONINFOA) + 8;
constexpr INT_PTR kShellStarted = 42;  // any value above 32 reports success

// The current process's pseudo-handle, (HANDLE)-1: the same bits as INVALID_HANDLE_VALUE.
HANDLE ProcessPseudoHandle() {
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI SimIsWow64Process(HANDLE hProcess, PBOOL Wow64Process) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("IsWow64Process", [&] { return "process=" + sim::HandleArg(hProcess); })) {
        return FALSE;
    }
    if (hProcess != ProcessPseudoHandle() || Wow64Process == nullptr) {
        return FALSE;
    }
    switch (machine.wow64) {
        case sim::Wow64Mode::NotWow64:
            *Wow64Process = FALSE;
            return TRUE;
        case sim::Wow64Mode::Wow64:
            *Wow64Process = TRUE;
            return TRUE;
        case sim::Wow64Mode::Absent:
        case sim::Wow64Mode::CallFails:
            break;
    }
    return FALSE;
}

BOOL WINAPI SimSetDefaultDllDirectories(DWORD DirectoryFlags) {
    if (sim::EnterCall("SetDefaultDllDirectories",
                       [&] { return "flags=" + sim::HexNumber(DirectoryFlags); })) {
        return FALSE;
    }
    sim::Current().defaultDllDirectories = DirectoryFlags;
    return TRUE;
}

// A procedure name whose pointer value fits in 16 bits is an ordinal.
bool IsOrdinal(PCSTR name) {
    return sim::HandleValue(name) < 0x10000;
}

// SetupOpenInfFile of a name in the machine's form.
HINF OpenInf(const std::string& name, PUINT errorLine) {
    Machine& machine = sim::Current();
    bool exists = false;
    for (const std::string& file : machine.files) {
        exists = exists || sim::EqualNoCase(file, name);
    }
    if (!exists) {
        return sim::Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    if (errorLine != nullptr) {
        *errorLine = 0;
    }
    Machine::State& s = machine.state();
    const std::uint32_t serial = ++s.infSerial;
    const std::uintptr_t handle = sim::kInfHandleBase + serial * sim::kHandleStep;
    s.infs[handle] = serial;
    return sim::MakeHandle<HINF>(handle);
}

// InstallHinfSection of a command line in the machine's form.
void InstallSection(const std::string& commandLine) {
    Machine& machine = sim::Current();
    machine.infInstalls.push_back(commandLine);
    // "<section> <mode> <path>": the path is the rest after the second blank.
    const std::size_t first = commandLine.find(' ');
    const std::size_t second =
        first == std::string::npos ? first : commandLine.find(' ', first + 1);
    if (second != std::string::npos) {
        sim::InstallFromInf(machine, commandLine.substr(second + 1));
    }
}

}  // namespace

namespace plat {

HINF SetupOpenInfFileW(PCWSTR FileName, PCWSTR InfClass, DWORD InfStyle, PUINT ErrorLine) {
    if (sim::EnterCall("SetupOpenInfFileW", [&] {
            return "file=" + sim::WideArg(FileName) + " class=" + sim::WideArg(InfClass) +
                   " style=" + sim::HexNumber(InfStyle);
        })) {
        return INVALID_HANDLE_VALUE;
    }
    if (FileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    return OpenInf(sim::Utf8(sim::WideText(FileName)), ErrorLine);
}

void SetupCloseInfFile(HINF InfHandle) {
    Machine::State& s = sim::CurrentState();
    const auto found = s.infs.find(sim::HandleValue(InfHandle));
    if (sim::EnterCall("SetupCloseInfFile", [&] {
            return "inf=" + (found != s.infs.end() ? std::to_string(found->second)
                                                   : sim::HandleArg(InfHandle));
        })) {
        return;
    }
    if (found != s.infs.end()) {
        s.infs.erase(found);
    }
}

void InstallHinfSectionW(HWND Window, HINSTANCE ModuleHandle, PCWSTR CommandLine, INT ShowCommand) {
    (void)ModuleHandle;
    if (sim::EnterCall("InstallHinfSectionW", [&] {
            return "hwnd=" + sim::HandleArg(Window) + " command=" + sim::WideArg(CommandLine) +
                   " show=" + std::to_string(ShowCommand);
        })) {
        return;
    }
    InstallSection(sim::Utf8(sim::WideText(CommandLine)));
}

HINSTANCE ShellExecuteA(HWND hwnd, PCSTR lpOperation, PCSTR lpFile, PCSTR lpParameters,
                        PCSTR lpDirectory, INT nShowCmd) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("ShellExecuteA", [&] {
            return "hwnd=" + sim::HandleArg(hwnd) + " verb=" + sim::TextArg(lpOperation) +
                   " file=" + sim::TextArg(lpFile) + " params=" + sim::TextArg(lpParameters) +
                   " dir=" + sim::TextArg(lpDirectory) + " show=" + std::to_string(nShowCmd);
        })) {
        return nullptr;
    }
    auto text = [](PCSTR value) {
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    machine.shellRequests.push_back(Machine::ShellRequest{
        hwnd, text(lpOperation), text(lpFile), text(lpParameters), text(lpDirectory), nShowCmd});
    return sim::MakeHandle<HINSTANCE>(static_cast<std::uintptr_t>(kShellStarted));
}

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("GetVersionExA", [&] {
            return "size=" + (lpVersionInformation != nullptr
                                  ? std::to_string(lpVersionInformation->dwOSVersionInfoSize)
                                  : std::string("null"));
        })) {
        return FALSE;
    }
    if (machine.versionQueryFails || lpVersionInformation == nullptr) {
        return FALSE;
    }
    const DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != kVersionInfoExSize) {
        return FALSE;
    }
    const bool win9x = machine.platformId == VER_PLATFORM_WIN32_WINDOWS;
    lpVersionInformation->dwMajorVersion = win9x ? 4 : 6;
    lpVersionInformation->dwMinorVersion = win9x ? 10 : 1;
    lpVersionInformation->dwBuildNumber = win9x ? 2222 : 7601;
    lpVersionInformation->dwPlatformId = machine.platformId;
    lpVersionInformation->szCSDVersion[0] = '\0';
    return TRUE;
}

HMODULE GetModuleHandleA(PCSTR lpModuleName) {
    if (sim::EnterCall("GetModuleHandleA", [&] { return "name=" + sim::TextArg(lpModuleName); })) {
        return nullptr;
    }
    if (lpModuleName == nullptr) {
        return sim::MakeHandle<HMODULE>(sim::kProgramModuleHandle);
    }
    if (sim::EqualNoCase(lpModuleName, "kernel32.dll") ||
        sim::EqualNoCase(lpModuleName, "kernel32")) {
        return sim::MakeHandle<HMODULE>(sim::kKernel32Handle);
    }
    if (sim::EqualNoCase(lpModuleName, "setupapi.dll") ||
        sim::EqualNoCase(lpModuleName, "setupapi")) {
        return sim::MakeHandle<HMODULE>(sim::kSetupApiHandle);
    }
    return nullptr;
}

FARPROC GetProcAddress(HMODULE hModule, PCSTR lpProcName) {
    Machine& machine = sim::Current();
    const std::string name = lpProcName == nullptr ? "null"
                             : IsOrdinal(lpProcName)
                                 ? "#" + std::to_string(sim::HandleValue(lpProcName))
                                 : std::string(lpProcName);
    if (sim::EnterCall("GetProcAddress",
                       [&] { return "module=" + sim::HandleArg(hModule) + " name=" + name; })) {
        return nullptr;
    }
    if (sim::HandleValue(hModule) == sim::kSetupApiHandle && lpProcName != nullptr &&
        !IsOrdinal(lpProcName) && name == "SetupDiGetDevicePropertyW") {
        return sim::DevicePropertyReader(machine);
    }
    if (sim::HandleValue(hModule) != sim::kKernel32Handle || lpProcName == nullptr ||
        IsOrdinal(lpProcName)) {
        return nullptr;
    }
    // Function pointers travel as FARPROC; void(*)() is the type any of them may pass
    // through without a cast warning.
    if (name == "IsWow64Process") {
        return machine.wow64 == sim::Wow64Mode::Absent
                   ? nullptr
                   : reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&SimIsWow64Process));
    }
    if (name == "SetDefaultDllDirectories") {
        return machine.hasDefaultDllDirectories
                   ? reinterpret_cast<FARPROC>(
                         reinterpret_cast<void (*)()>(&SimSetDefaultDllDirectories))
                   : nullptr;
    }
    return sim::Kernel32Export(name);
}

DWORD GetLastError() {
    return sim::CurrentState().lastError;
}

void SetLastError(DWORD dwErrCode) {
    sim::CurrentState().lastError = dwErrCode;
}

HANDLE GetCurrentProcess() {
    // The platform's call cannot fail, so an injected fault changes nothing here.
    sim::EnterCall("GetCurrentProcess", [] { return std::string(); });
    return ProcessPseudoHandle();
}

BOOL SetDllDirectoryA(PCSTR lpPathName) {
    if (sim::EnterCall("SetDllDirectoryA", [&] { return "path=" + sim::TextArg(lpPathName); })) {
        return FALSE;
    }
    auto& directory = sim::Current().dllDirectory;
    directory = lpPathName != nullptr ? std::optional<std::string>(lpPathName) : std::nullopt;
    return TRUE;
}

}  // namespace plat
