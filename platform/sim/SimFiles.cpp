// Files and folders of the seam: file attributes with the WOW64 view of the system
// folder, environment strings and the program's own path, and the two redirection calls that
// kernel32 exports.
#include <algorithm>
#include <cstring>

#include "base/AsciiCase.h"
#include "platform/Platform.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimNames.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

using sim::Machine;
using sim::System;

namespace {

// The value a disabled redirection hands back, to be passed to the revert call.
constexpr std::uintptr_t kRedirectionCookie = 0x00F60010;

// Under WOW64, with redirection on, the system folder is the 32-bit one.
std::string SeenPath(Machine& machine, const std::string& path) {
    const System& system = machine.system();
    if (machine.wow64 != sim::Wow64Mode::Wow64 || system.redirectionDisabled) {
        return path;
    }
    const std::string folder = system.windowsDirectory + "\\System32";
    if (base::StartsWithNoCaseAscii(path, folder) &&
        (path.size() == folder.size() || path[folder.size()] == '\\')) {
        return system.windowsDirectory + "\\SysWOW64" + path.substr(folder.size());
    }
    return path;
}

std::string Expand(const System& system, const std::string& text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            out += text.substr(at);
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        out += text.substr(at, open - at);
        if (sim::EqualNoCase(name, "SystemRoot") || sim::EqualNoCase(name, "windir")) {
            out += system.windowsDirectory;
            at = close + 1;
        } else {
            out += '%' + name;  // unknown names stay as written
            at = close;
        }
    }
    return out;
}

// A path's attributes on the journal's disk or among the system's files, as this
// process sees them.
DWORD Attributes(Machine& machine, const std::string& path) {
    if (const DWORD onDisk = sim::DiskAttributes(machine.disk(), path);
        onDisk != INVALID_FILE_ATTRIBUTES) {
        return onDisk;
    }
    return sim::FileAttributes(machine, SeenPath(machine, path));
}

// GetFileAttributes for a name in the machine's form.
DWORD FileAttributesOf(Machine& machine, const std::string& path) {
    if (const DWORD found = Attributes(machine, path); found != INVALID_FILE_ATTRIBUTES) {
        return found;
    }
    const std::size_t slash = path.rfind('\\');
    // A drive's root ("C:\\x") is always there.
    const bool folderThere = slash == std::string::npos || slash <= 2 ||
                             Attributes(machine, path.substr(0, slash)) != INVALID_FILE_ATTRIBUTES;
    return sim::Fail(folderThere ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
                     INVALID_FILE_ATTRIBUTES);
}

// GetModuleFileName's buffer protocol, for either width of the name.
template <typename Char>
DWORD CopyModuleName(const std::basic_string<Char>& path, Char* buffer, DWORD size) {
    if (path.size() < size) {
        std::copy(path.begin(), path.end(), buffer);
        buffer[path.size()] = 0;
        return static_cast<DWORD>(path.size());
    }
    // Too small: truncated and terminated, and the buffer's whole size returned (with
    // ERROR_INSUFFICIENT_BUFFER since Windows Vista).
    std::copy(path.begin(), path.begin() + (size - 1), buffer);
    buffer[size - 1] = 0;
    return sim::Fail(ERROR_INSUFFICIENT_BUFFER, size);
}

BOOL WINAPI SimWow64DisableWow64FsRedirection(PVOID* OldValue) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("Wow64DisableWow64FsRedirection", [] { return std::string(); })) {
        return FALSE;
    }
    if (machine.wow64 != sim::Wow64Mode::Wow64 || OldValue == nullptr) {
        return FALSE;
    }
    *OldValue = sim::MakeHandle<PVOID>(kRedirectionCookie);
    machine.system().redirectionDisabled = true;
    return TRUE;
}

BOOL WINAPI SimWow64RevertWow64FsRedirection(PVOID OldValue) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("Wow64RevertWow64FsRedirection",
                       [&] { return "old=" + sim::HandleArg(OldValue); })) {
        return FALSE;
    }
    if (machine.wow64 != sim::Wow64Mode::Wow64 ||
        sim::HandleValue(OldValue) != kRedirectionCookie) {
        return FALSE;
    }
    machine.system().redirectionDisabled = false;
    return TRUE;
}

}  // namespace

namespace sim {

FARPROC Kernel32Export(std::string_view name) {
    // Systems older than IsWow64Process lack them too.
    if (!Current().system().redirectionCalls || Current().wow64 == Wow64Mode::Absent) {
        return nullptr;
    }
    if (name == "Wow64DisableWow64FsRedirection") {
        return reinterpret_cast<FARPROC>(
            reinterpret_cast<void (*)()>(&SimWow64DisableWow64FsRedirection));
    }
    if (name == "Wow64RevertWow64FsRedirection") {
        return reinterpret_cast<FARPROC>(
            reinterpret_cast<void (*)()>(&SimWow64RevertWow64FsRedirection));
    }
    return nullptr;
}

}  // namespace sim

namespace plat {

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    if (sim::EnterCall("GetFileAttributesA", [&] { return "file=" + sim::TextArg(lpFileName); })) {
        return INVALID_FILE_ATTRIBUTES;
    }
    if (lpFileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
    }
    return FileAttributesOf(sim::Current(), sim::NameFromAnsi(lpFileName));
}

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    if (sim::EnterCall("GetFileAttributesW", [&] { return "file=" + sim::WideArg(lpFileName); })) {
        return INVALID_FILE_ATTRIBUTES;
    }
    if (lpFileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
    }
    return FileAttributesOf(sim::Current(), sim::Utf8(sim::WideText(lpFileName)));
}

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("ExpandEnvironmentStringsA", [&] {
            return "text=" + sim::TextArg(lpSrc) + " size=" + std::to_string(nSize);
        })) {
        return 0;
    }
    if (lpSrc == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    }
    const std::string expanded = Expand(machine.system(), lpSrc);
    const DWORD needed = static_cast<DWORD>(expanded.size() + 1);
    if (lpDst != nullptr && nSize >= needed) {
        std::memcpy(lpDst, expanded.c_str(), needed);
    }
    return needed;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("GetModuleFileNameW", [&] {
            return "module=" + sim::HandleArg(hModule) + " size=" + std::to_string(nSize);
        })) {
        return 0;
    }
    if (hModule != nullptr && sim::HandleValue(hModule) != sim::kProgramModuleHandle) {
        return sim::Fail(ERROR_MOD_NOT_FOUND, DWORD{0});
    }
    if (lpFilename == nullptr || nSize == 0) {
        return sim::Fail(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
    }
    const std::u16string path = sim::Utf16(machine.system().programPath);
    return CopyModuleName(std::basic_string<WCHAR>(path.begin(), path.end()), lpFilename, nSize);
}

}  // namespace plat
