// What a simulated machine knows beyond its device tree: the service control manager
// with its services, the Windows folder and the files in it (Machine::files), the
// state each device reached at its last start, and the programs the process starts.
//
// How the seam answers (calls of platform/PlatformServices.h):
// - Services. OpenSCManagerA fails when the machine has no service manager, on the 9x
//   family, and when a remote machine is named. OpenServiceA finds services by name without
//   letter case; QueryServiceConfigA needs SERVICE_QUERY_CONFIG on the handle and
//   reports the size it needs (config record plus strings) when the buffer is short;
//   QueryServiceStatus needs SERVICE_QUERY_STATUS. Handle values are never reused.
//   Failures set the last-error code Windows sets: ERROR_CALL_NOT_IMPLEMENTED (9x
//   family), RPC_S_SERVER_UNAVAILABLE (a remote machine, or no service manager),
//   ERROR_SERVICE_DOES_NOT_EXIST, ERROR_ACCESS_DENIED (a right the service denies, or
//   one the handle lacks), ERROR_INVALID_NAME (no name), ERROR_INVALID_HANDLE,
//   ERROR_INSUFFICIENT_BUFFER (with the size needed), ERROR_INVALID_PARAMETER (no
//   out-parameter).
// - Files. Names are Unicode, which the machine holds in UTF-8; the wide calls take
//   and give UTF-16, GetFileAttributesA reads its name in the ANSI code page
//   (SimNames.h). GetFileAttributes finds Machine::files by full path without letter case
//   (FILE_ATTRIBUTE_ARCHIVE), and a folder that holds one (FILE_ATTRIBUTE_DIRECTORY).
//   Under WOW64 (Machine::wow64 == Wow64) a path in <Windows>\System32 is read from
//   <Windows>\SysWOW64 unless the redirection was switched off with
//   Wow64DisableWow64FsRedirection. A path that is not there fails with
//   ERROR_FILE_NOT_FOUND, or ERROR_PATH_NOT_FOUND when its folder is not there either.
//   kernel32 exports the two redirection calls when
//   `redirectionCalls` is set; they succeed only under WOW64. ExpandEnvironmentStringsA
//   knows %SystemRoot% and %windir%.
// - Device state. CM_Locate_DevNodeA (CM_LOCATE_DEVNODE_NORMAL only) finds present
//   devices; a device that is not there gives CR_NO_SUCH_DEVNODE. CM_Get_DevNode_Status
//   reports DN_HAS_PROBLEM with the problem code of the device's last start, or
//   DN_STARTED | DN_DRIVER_LOADED. A property-change restart derives the code afresh:
//   a standing problem of the device (one the user or its hardware gives it at every
//   start: disabled 22, no driver 28, a fault after the start 43) comes first; then
//   (NT family) a lower filter whose service is missing, not a kernel driver, not
//   startable or without its image file gives CM_PROB_DRIVER_FAILED_LOAD (39), and one
//   whose service is disabled CM_PROB_DISABLED_SERVICE (32). A device given a start
//   delay reports neither DN_STARTED nor a problem until the clock (SimInput.h) has
//   moved that long past its restart, as a real USB stack takes a while to start a
//   device and posts a start failure late. A device that is held open is not
//   restarted at all: the class installer succeeds and sets DI_NEEDRESTART in the
//   element's install parameters, which SetupDiGetDeviceInstallParamsA reports
//   (cbSize must be the record's size). A class-installer request for another function
//   than a property change fails with ERROR_DI_DO_DEFAULT, as Windows answers a
//   request no installer handles.
// - Processes. ShellExecuteExW starts only a file of Machine::files named by its full
//   path (there is no search path) and records the request in Machine::shellRequests.
//   With SEE_MASK_NOCLOSEPROCESS it returns a process handle: the program runs
//   (`run` is called) when it is waited for; before that, MsgWaitForMultipleObjects(Ex)
//   reports input waiting (WAIT_OBJECT_0 + 1) `inputRounds` times, and then, only
//   when MsgWaitForMultipleObjectsEx is given MWMO_INPUTAVAILABLE, `peekedRounds`
//   times more: input that an earlier peek saw but left in the queue wakes no other
//   wait. Without the mask, or for a program the shell hands off (`handedOff`), the
//   program runs at once and no handle comes back. GetExitCodeProcess gives
//   STILL_ACTIVE until it ran. A program for which `hangs` says so never ends (it
//   waits for a click nobody gives): a wait with a timeout moves the clock by it and
//   times out, and a wait without one throws, as the real process would hang.
//   Sleep and a wait with no handles move the clock by their timeout. The "install"
//   verb of an .inf file (a name without a path is taken from the current directory)
//   starts the shell's installer as such a process, which installs what InstallFromInf
//   says when it runs; so does InstallHinfSectionW ("DefaultInstall 132 <path>").
//
// Injected faults fail these calls with: null handles, FALSE, INVALID_FILE_ATTRIBUTES,
// 0 for the text-returning calls, CR_FAILURE, WAIT_FAILED.
//
// Their call-log arguments (see SimMachine.h for the formats):
//   CM_Locate_DevNodeA              id=<text>|null flags=<x>
//   CM_Get_DevNode_Status           node=<n> flags=<x>
//   SetupDiGetDeviceInstallParamsA  set=<set> cbSize=<n>|null
//   OpenSCManagerA                  machine=<text>|null database=<text>|null access=<x>
//   OpenServiceA                    scm=<h> name=<text>|null access=<x>
//   QueryServiceConfigA             service=<h> size=<n>
//   QueryServiceStatus              service=<h>
//   CloseServiceHandle              handle=<h>      (<h>: serial number, as for sets)
//   GetFileAttributesA              file=<text>|null
//   ExpandEnvironmentStringsA       text=<text>|null size=<n>
//   GetFileAttributesW              file=<text>|null
//   GetModuleFileNameW              module=<h> size=<n>
//   ShellExecuteExW                 hwnd=<h> verb=<text>|null file=<text>|null
//                                     params=<text>|null dir=<text>|null show=<n> mask=<x>
//   WaitForSingleObject             handle=<h> ms=<n>
//   MsgWaitForMultipleObjects       count=<n> handle=<h> all=<n> ms=<n> mask=<x>
//   MsgWaitForMultipleObjectsEx     count=<n> handle=<h> ms=<n> mask=<x> flags=<x>
//   Sleep                           ms=<n>
//   GetExitCodeProcess, CloseHandle handle=<h>
//   Wow64DisableWow64FsRedirection  (empty)
//   Wow64RevertWow64FsRedirection   old=<h>
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/PlatformServices.h"
#include "platform/sim/SimMachine.h"

namespace sim {

// Where the filter driver's file lies once installed, in the default Windows folder.
inline const std::string kDriverFile = "C:\\WINDOWS\\System32\\drivers\\quorvin.sys";

struct Service {
    std::string name;
    DWORD type = SERVICE_KERNEL_DRIVER;
    DWORD startType = SERVICE_DEMAND_START;
    // As the registry holds it: "\SystemRoot\System32\drivers\x.sys", a path relative to
    // the Windows folder, "\??\C:\..." or one with %SystemRoot%; empty: the default
    // <Windows>\System32\drivers\<name>.sys.
    std::string imagePath;
    DWORD currentState = SERVICE_STOPPED;
    bool startable = true;  // false: the driver fails to load although its file is there
    // Rights this process is refused: OpenServiceA asking for one of them fails with
    // ERROR_ACCESS_DENIED, as for a service whose security allows administrators only.
    DWORD deniedAccess = 0;
};

struct System {
    // --- service control manager -------------------------------------------------
    bool serviceManager = true;
    std::vector<Service> services;
    Service* FindService(std::string_view name);

    // --- folders and files (the files themselves are Machine::files) -------------
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string programPath = "C:\\Users\\User\\Downloads\\QuorvinSetup.exe";
    bool redirectionCalls = true;  // kernel32 exports the WOW64 redirection calls
    bool redirectionDisabled = false;
    // The full path a service's image path names, as the 64-bit system sees it.
    std::string ImageFile(const Service& service) const;

    // --- device state --------------------------------------------------------------
    std::map<std::string, ULONG, NameLess> problems;  // absent or 0: started
    // A problem the device has at every start, whatever its filters.
    std::map<std::string, ULONG, NameLess> standingProblems;
    // How long a device takes to start after a restart (ms of the simulated clock),
    // and the clock at which the last start settles.
    std::map<std::string, double, NameLess> startDelays;
    std::map<std::string, std::int64_t, NameLess> settlesAt;
    std::set<std::string, NameLess> heldOpen;
    // DI_ flags by (set serial, element index).
    std::map<std::pair<std::uint32_t, std::size_t>, DWORD> installFlags;

    // --- started programs ----------------------------------------------------------
    // What a started program does: its exit code for the file and parameters. Unset:
    // it exits with 0 and changes nothing.
    std::function<DWORD(const std::string& file, const std::string& parameters)> run;
    int inputRounds = 0;   // input reported while each started program runs
    int peekedRounds = 0;  // then input already seen by a peek and left queued
    // A started program that never ends, by its parameters (unset: none hangs).
    std::function<bool(const std::string& parameters)> hangs;
    // Started programs (full paths, or the setup information file of the "install"
    // verb) that the shell hands to one already running, as a DDE conversation does:
    // it runs at once, and no process handle comes back, whatever the mask asked.
    std::set<std::string, NameLess> handedOff;
    struct Process {
        std::uint32_t serial = 0;
        std::string file, parameters;
        int inputRounds = 0;
        int peekedRounds = 0;
        bool hangs = false;
        bool infInstall = false;  // the "install" verb of the setup information file `file`
        bool finished = false;
        DWORD exitCode = STILL_ACTIVE;
    };
    std::map<std::uintptr_t, Process> processes;  // open process handles
    struct ServiceHandle {
        std::uint32_t serial = 0;
        std::string service;  // empty: the service manager
        DWORD access = 0;
    };
    std::map<std::uintptr_t, ServiceHandle> serviceHandles;
    std::uint32_t processSerial = 0;
    std::uint32_t serviceSerial = 0;
};

// Installs a kernel-driver service the way its setup information file does: the
// service (image path \SystemRoot\System32\drivers\<name>.sys, demand start) and,
// when withFile, the driver file in the 64-bit system folder.
void InstallDriverService(Machine& machine, const std::string& name, bool withFile = true);

// What a setup information file's default installation does on the machine: a file
// of Machine::files named "<name>.inf" (its full path) installs the kernel-driver
// service <name>, with the driver file when "<name>.sys" lies beside it; a file that
// is not there installs nothing. True when it was there.
bool InstallFromInf(Machine& machine, const std::string& infPath);

// Derives the problem code a device's start gives from its lower filters and the
// services (0: it starts); records it as the device's state and returns it.
ULONG StartDevice(Machine& machine, const std::string& instanceId);

// The attributes of a path as the 64-bit system sees it (no redirection), or
// INVALID_FILE_ATTRIBUTES.
DWORD FileAttributes(Machine& machine, std::string_view path);

// Entry points of kernel32 beyond IsWow64Process that GetProcAddress finds, or null.
FARPROC Kernel32Export(std::string_view name);

}  // namespace sim
