// Programs the process starts through the shell, and waiting for them: a started
// program runs (System::run) when it is waited for, after the input rounds that a
// message-aware wait reports meanwhile.
#include "platform/Platform.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimNames.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

#include <optional>
#include <stdexcept>

using sim::Machine;
using sim::System;

namespace {

constexpr std::uintptr_t kProcessHandleBase = 0x00E50000;

std::string ProcessArg(System& system, const void* handle) {
    const auto found = system.processes.find(sim::HandleValue(handle));
    return found != system.processes.end() ? std::to_string(found->second.serial)
                                           : sim::HandleArg(handle);
}

// Runs the program once; the run may call the seam itself, so the record is found
// again afterwards.
void Finish(Machine& machine, std::uintptr_t handle) {
    System& system = machine.system();
    System::Process& process = system.processes.at(handle);
    if (process.finished) {
        return;
    }
    if (process.hangs) {
        throw std::logic_error("waits for ever for a program that never ends: " + process.file);
    }
    process.finished = true;
    const std::string file = process.file;
    const std::string parameters = process.parameters;
    const bool infInstall = process.infInstall;
    DWORD exitCode = 0;
    if (infInstall) {
        sim::InstallFromInf(machine, file);
    } else if (system.run) {
        exitCode = system.run(file, parameters);
    }
    const auto found = system.processes.find(handle);
    if (found != system.processes.end()) {
        found->second.exitCode = exitCode;
    }
}

// A message-aware wait for one started program: input first (new input, then input an
// earlier peek left queued, which only MWMO_INPUTAVAILABLE reports), then its end.
DWORD WaitForProcess(Machine& machine, System::Process& process, std::uintptr_t handle,
                     DWORD milliseconds, DWORD wakeMask, DWORD flags) {
    if (!process.finished && wakeMask != 0) {
        if (process.inputRounds > 0) {
            --process.inputRounds;
            return WAIT_OBJECT_0 + 1;
        }
        if (process.peekedRounds > 0 && (flags & MWMO_INPUTAVAILABLE) != 0) {
            --process.peekedRounds;
            return WAIT_OBJECT_0 + 1;
        }
    }
    if (process.hangs && milliseconds != INFINITE) {
        sim::Advance(machine, milliseconds);
        return WAIT_TIMEOUT;
    }
    Finish(machine, handle);
    return WAIT_OBJECT_0;
}

// The call-log arguments of either width's record.
template <typename Info, typename Text>
std::string ShellArgs(const Info* pExecInfo, Text text) {
    if (pExecInfo == nullptr) {
        return "info=null";
    }
    const Info& info = *pExecInfo;
    return "hwnd=" + sim::HandleArg(info.hwnd) + " verb=" + text(info.lpVerb) +
           " file=" + text(info.lpFile) + " params=" + text(info.lpParameters) +
           " dir=" + text(info.lpDirectory) + " show=" + std::to_string(info.nShow) +
           " mask=" + sim::HexNumber(info.fMask);
}

// ShellExecuteEx for a checked record of either width; `name` gives its texts in the
// machine's form.
template <typename Info, typename Name>
BOOL Execute(Info& info, Name name) {
    Machine& machine = sim::Current();
    info.hProcess = nullptr;
    const std::optional<std::string> verb = name(info.lpVerb);
    const std::optional<std::string> parameters = name(info.lpParameters);
    // The "install" verb of a setup information file, which the shell runs as a program
    // of its own; a name without a path is looked for in the current directory.
    const bool install = verb == "install";
    std::string file = *name(info.lpFile);
    if (install && file.find('\\') == std::string::npos) {
        file = machine.currentDirectory + "\\" + file;
    }
    machine.shellRequests.push_back(Machine::ShellRequest{
        info.hwnd, verb, name(info.lpFile), parameters, name(info.lpDirectory), info.nShow});
    // Only a full path finds the program: the simulation has no search path.
    if (sim::FileAttributes(machine, file) != FILE_ATTRIBUTE_ARCHIVE) {
        return sim::Fail(ERROR_FILE_NOT_FOUND, FALSE);
    }
    System& system = machine.system();
    const std::uint32_t serial = ++system.processSerial;
    const std::uintptr_t handle = kProcessHandleBase + serial * sim::kHandleStep;
    const std::string given = parameters.value_or("");
    system.processes[handle] = System::Process{serial,
                                               file,
                                               given,
                                               system.inputRounds,
                                               system.peekedRounds,
                                               system.hangs && system.hangs(given),
                                               install,
                                               false,
                                               STILL_ACTIVE};
    info.hInstApp = sim::MakeHandle<HINSTANCE>(static_cast<std::uintptr_t>(42));
    if ((info.fMask & SEE_MASK_NOCLOSEPROCESS) == 0 || system.handedOff.contains(file)) {
        Finish(machine, handle);
        system.processes.erase(handle);
        return TRUE;
    }
    info.hProcess = sim::MakeHandle<HANDLE>(handle);
    return TRUE;
}

}  // namespace

namespace plat {

BOOL ShellExecuteExW(LPSHELLEXECUTEINFOW pExecInfo) {
    if (sim::EnterCall("ShellExecuteExW", [&] { return ShellArgs(pExecInfo, &sim::WideArg); })) {
        return FALSE;
    }
    if (pExecInfo == nullptr || pExecInfo->cbSize != sizeof(SHELLEXECUTEINFOW) ||
        pExecInfo->lpFile == nullptr) {
        return FALSE;
    }
    auto name = [](LPCWSTR value) {
        return value != nullptr ? std::optional<std::string>(sim::Utf8(sim::WideText(value)))
                                : std::nullopt;
    };
    return Execute(*pExecInfo, name);
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    Machine& machine = sim::Current();
    System& system = machine.system();
    if (sim::EnterCall("WaitForSingleObject", [&] {
            return "handle=" + ProcessArg(system, hHandle) +
                   " ms=" + std::to_string(dwMilliseconds);
        })) {
        return WAIT_FAILED;
    }
    const std::uintptr_t handle = sim::HandleValue(hHandle);
    const auto found = system.processes.find(handle);
    if (found == system.processes.end()) {
        return WAIT_FAILED;
    }
    if (found->second.hangs && dwMilliseconds != INFINITE) {
        sim::Advance(machine, dwMilliseconds);
        return WAIT_TIMEOUT;
    }
    Finish(machine, handle);
    return WAIT_OBJECT_0;
}

DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                DWORD dwMilliseconds, DWORD dwWakeMask) {
    Machine& machine = sim::Current();
    System& system = machine.system();
    if (sim::EnterCall("MsgWaitForMultipleObjects", [&] {
            return "count=" + std::to_string(nCount) + " handle=" +
                   (pHandles != nullptr && nCount > 0 ? ProcessArg(system, pHandles[0])
                                                      : std::string("null")) +
                   " all=" + std::to_string(fWaitAll) + " ms=" + std::to_string(dwMilliseconds) +
                   " mask=" + sim::HexNumber(dwWakeMask);
        })) {
        return WAIT_FAILED;
    }
    // No handle: a message loop waits for input, which the simulated clock brings.
    if (nCount == 0 && pHandles == nullptr && !fWaitAll && (dwWakeMask & QS_RAWINPUT) != 0) {
        return sim::WaitForInput(machine, dwMilliseconds);
    }
    // One process handle is all the program waits for.
    if (nCount != 1 || pHandles == nullptr) {
        return WAIT_FAILED;
    }
    const std::uintptr_t handle = sim::HandleValue(pHandles[0]);
    const auto found = system.processes.find(handle);
    if (found == system.processes.end()) {
        return WAIT_FAILED;
    }
    return WaitForProcess(machine, found->second, handle, dwMilliseconds, dwWakeMask, 0);
}

DWORD MsgWaitForMultipleObjectsEx(DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds,
                                  DWORD dwWakeMask, DWORD dwFlags) {
    Machine& machine = sim::Current();
    System& system = machine.system();
    if (sim::EnterCall("MsgWaitForMultipleObjectsEx", [&] {
            return "count=" + std::to_string(nCount) + " handle=" +
                   (pHandles != nullptr && nCount > 0 ? ProcessArg(system, pHandles[0])
                                                      : std::string("null")) +
                   " ms=" + std::to_string(dwMilliseconds) + " mask=" + sim::HexNumber(dwWakeMask) +
                   " flags=" + sim::HexNumber(dwFlags);
        })) {
        return WAIT_FAILED;
    }
    if (nCount == 0 && pHandles == nullptr) {
        if ((dwWakeMask & QS_RAWINPUT) != 0) {
            return sim::WaitForInput(machine, dwMilliseconds);
        }
        if (dwMilliseconds == INFINITE) {
            return WAIT_FAILED;  // nothing would ever come
        }
        sim::Advance(machine, dwMilliseconds);
        return WAIT_TIMEOUT;
    }
    if (nCount != 1 || pHandles == nullptr) {
        return WAIT_FAILED;
    }
    const std::uintptr_t handle = sim::HandleValue(pHandles[0]);
    const auto found = system.processes.find(handle);
    if (found == system.processes.end()) {
        return WAIT_FAILED;
    }
    return WaitForProcess(machine, found->second, handle, dwMilliseconds, dwWakeMask, dwFlags);
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    System& system = sim::Current().system();
    if (sim::EnterCall("GetExitCodeProcess",
                       [&] { return "handle=" + ProcessArg(system, hProcess); })) {
        return FALSE;
    }
    const auto found = system.processes.find(sim::HandleValue(hProcess));
    if (found == system.processes.end() || lpExitCode == nullptr) {
        return FALSE;
    }
    *lpExitCode = found->second.exitCode;
    return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
    System& system = sim::Current().system();
    if (sim::EnterCall("CloseHandle", [&] { return "handle=" + ProcessArg(system, hObject); })) {
        return FALSE;
    }
    if (sim::CloseDiskHandle(sim::Current().disk(), sim::HandleValue(hObject))) {
        return TRUE;
    }
    return system.processes.erase(sim::HandleValue(hObject)) != 0 ? TRUE : FALSE;
}

}  // namespace plat
