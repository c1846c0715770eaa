// The simulated platform: an in-memory machine that answers the seam functions of
// platform/Platform.h the way Windows does, as far as this program relies on it.
//
// A machine holds a device tree (nodes with instance IDs, setup classes,
// properties, interfaces, hardware and driver registry keys), the device
// information sets and registry keys handed out, a call log, fault injection and
// the process facts (platform family, WOW64, shell requests). Exactly one machine
// is current at a time; the seam functions act on it.
//
// How the seam answers, where Windows leaves room or the simulation chooses:
// - Sets and elements. SetupDiGetClassDevsA lists devices in the sorted order of
//   their instance IDs, letters compared without case and component by component,
//   phantoms among the present devices when DIGCF_PRESENT is not given. An
//   enumerator names the devices whose instance ID begins with its components:
//   "USB" every device on that bus, "USB\VID_046D&PID_C08B" every instance below
//   it, a whole instance ID the one device. With DIGCF_DEVICEINTERFACE an
//   enumerator must be a whole instance ID of a known device (ERROR_INVALID_DATA
//   otherwise). A null class needs DIGCF_ALLCLASSES. A set made for one class
//   (SetupDiCreateDeviceInfoList with a class, or a class query) refuses devices of
//   another (ERROR_CLASS_MISMATCH). An element is named by SP_DEVINFO_DATA's
//   Reserved (its index in the set, plus one) and must carry the set's DevInst for
//   it and cbSize == sizeof(SP_DEVINFO_DATA); anything else fails. Opening a device
//   again returns the same element (refreshed when the device restarted meanwhile);
//   SetupDiOpenDeviceInfoA with a record of the wrong cbSize fails with
//   ERROR_INVALID_USER_BUFFER but adds the device to the set all the same.
// - Last-error codes. Every failing call that reports through GetLastError sets the
//   code Windows sets: ERROR_INVALID_HANDLE (unknown set), ERROR_INVALID_PARAMETER
//   (a record that names no live element of the set), ERROR_NO_MORE_ITEMS (past the
//   end of a set), ERROR_NO_SUCH_DEVINST, ERROR_INVALID_DATA (absent property),
//   ERROR_INSUFFICIENT_BUFFER (with the required size), ERROR_KEY_DOES_NOT_EXIST
//   (missing device key), ERROR_INVALID_FLAGS, ERROR_ACCESS_DENIED (an access mask
//   of 0). Successful calls leave the code as it was. Registry functions return
//   their status and leave the code alone.
// - Staleness. Restart and Unplug give devices new node numbers; elements opened
//   before then fail every call, as do the old nodes with the configuration manager.
//   Unknown and destroyed handles fail; handle values are never reused.
// - Buffers. Property and instance-ID reads set *RequiredSize whenever the value
//   exists, and write the buffer only when everything fits. CM_Get_Device_IDA needs
//   room for the terminator (CR_BUFFER_SMALL otherwise, buffer untouched).
// - Registry. Keys are opened only where the device has them (nothing is created);
//   DICS_FLAG_CONFIGSPECIFIC reaches the same values as DICS_FLAG_GLOBAL. Writes need
//   KEY_SET_VALUE and reads KEY_QUERY_VALUE in the access mask. Keys outlive restarts
//   of their device; after an unplug their operations fail with ERROR_KEY_DELETED.
//   Values are stored and returned byte for byte, except that strings (REG_SZ,
//   REG_EXPAND_SZ, REG_MULTI_SZ) follow the platform's terminator rules: a write
//   whose size leaves out the NUL that follows the data stores that NUL too, and a
//   read of a string stored without its NUL appends one when the buffer has room
//   (the size reported stays the stored one). A query of a missing value sets
//   *lpcbData to 0.
// - Class installer. DIF_PROPERTYCHANGE with DICS_PROPCHANGE parameters (header
//   cbSize 8, 20 bytes in all) set on the element restarts its present device, which
//   is recorded in `restarts`; other requests fail.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/WinTypes.h"

namespace sim {

// One registry value: its type and its raw bytes, terminators included.
struct RegValue {
    DWORD type = REG_NONE;
    std::string data;
};

// Registry value names compare without regard to ASCII letter case, as on Windows.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
using RegKeyValues = std::map<std::string, RegValue, NameLess>;

// Everything a test may say about a device when it adds it to the tree.
struct DeviceSpec {
    std::string instanceId;  // "USB\\VID_1A2C&PID_4C5E\\6&1A2B3C&0&1"
    GUID classGuid{};
    std::optional<std::string> description;   // absent: no SPDRP_DEVICEDESC property
    std::vector<std::string> hardwareIds;     // stored as a multi-string; empty: no property
    bool present = true;                      // not present: a phantom, outside the tree
    std::vector<GUID> interfaces;             // present device interfaces it exposes
    std::optional<RegKeyValues> hardwareKey;  // absent: SetupDiOpenDevRegKey(DIREG_DEV) fails
    std::optional<RegKeyValues> driverKey;    // absent: SetupDiOpenDevRegKey(DIREG_DRV) fails
};

// One recorded platform call: the operation's Win32 name, the arguments that matter
// and the instance ID of the device the call is about (empty when none).
//
// Arguments are "key=value" pairs separated by single blanks, in the order below.
// Strings are given raw (they may contain blanks; a wide call's in UTF-8), "null" for
// a null pointer. GUIDs
// in registry form, {745A17A0-74D3-11D0-B6FE-00A0C90F57DA}. Flags, masks, property
// codes, key types, scopes and functions in hexadecimal: "0x" and upper-case digits,
// no padding (0x2, 0xF003F). Other numbers, sizes and indexes in decimal. Window and
// process handles: 0 for null, -1 for all ones, otherwise 0x and hex digits. <set>
// and <key> are serial numbers (1 for the machine's first set, key or INF file), or
// the handle's value as above when the machine does not know the handle. Buffers
// are logged by the size passed; written data as hex byte pairs without separators
// (quorvin, NUL, NUL: 71756F7276696E0000).
//
//   op                                 args
//   SetupDiGetClassDevsA               class={G}|null enum=<text>|null hwnd=<h> flags=<x>
//   SetupDiCreateDeviceInfoList        class={G}|null hwnd=<h>
//   SetupDiEnumDeviceInfo              set=<set> index=<n> cbSize=<n>|null
//   SetupDiDestroyDeviceInfoList       set=<set>
//   SetupDiOpenDeviceInfoA             set=<set> id=<text> hwnd=<h> flags=<x> cbSize=<n>|null
//   SetupDiGetDeviceRegistryPropertyA  set=<set> property=<x> size=<n>
//   SetupDiSetDeviceRegistryPropertyA  set=<set> property=<x> size=<n> data=<hex>|null
//   SetupDiGetDeviceInstanceIdA        set=<set> size=<n>
//   SetupDiOpenDevRegKey               set=<set> scope=<x> profile=<n> key=<x> access=<x>
//   SetupDiSetClassInstallParamsA      set=<set> size=<n> header=<n> function=<x>
//                                        [state=<x> scope=<x> profile=<n>]  (property change,
//                                        20 bytes or more); set=<set> params=null size=<n>
//   SetupDiCallClassInstaller          function=<x> set=<set>
//   SetupOpenInfFileW                  file=<text> class=<text>|null style=<x>
//   SetupCloseInfFile                  inf=<inf>
//   InstallHinfSectionW                hwnd=<h> command=<text> show=<n>
//   CM_Get_Device_ID_Size              node=<n> flags=<x>
//   CM_Get_Device_IDA                  node=<n> size=<n> flags=<x>
//   CM_Get_Parent, CM_Get_Child,
//   CM_Get_Sibling                     node=<n> flags=<x>   (node: the node asked about)
//   IsEqualGUID                        a={G} b={G}
//   RegQueryValueExA                   key=<key> name=<text>|null size=<n>|null [data=null]
//                                        (size: *lpcbData on entry; data=null when lpData is)
//   RegSetValueExA                     key=<key> name=<text>|null reserved=<n> type=<n>
//                                        size=<n> data=<hex>|null
//   RegDeleteValueA                    key=<key> name=<text>|null
//   RegCloseKey                        key=<key>
//   ShellExecuteA                      hwnd=<h> verb=<text>|null file=<text>|null
//                                        params=<text>|null dir=<text>|null show=<n>
//   GetVersionExA                      size=<n>|null   (dwOSVersionInfoSize)
//   GetModuleHandleA                   name=<text>|null
//   GetProcAddress                     module=<h> name=<text>|#<ordinal>  (kernel32.dll
//                                        is 0x7C800000)
//   GetCurrentProcess                  (empty)
//   IsWow64Process                     process=<h>   (the looked-up entry point)
//   SetDefaultDllDirectories           flags=<x>     (the looked-up entry point)
//   SetDllDirectoryA                   path=<text>|null
//   GetFullPathNameW                   name=<text>|null size=<n>
//
// Example: SetupDiGetClassDevsA
//   "class={745A17A0-74D3-11D0-B6FE-00A0C90F57DA} enum=USB hwnd=0 flags=0x2"
struct Call {
    std::string op;
    std::string args;
    std::string device;  // instance ID of the device the call is about, if any
};

// Which calls of an operation fail: every call, the nth call (1-based, counted
// from the moment the fault is added), or every call about one device (instance ID
// compared without letter case; with nth, the nth call about that device). A failed
// call changes nothing and returns the platform's failure value: FALSE, a null
// pointer, INVALID_HANDLE_VALUE (sets, keys, INF files), CR_FAILURE, or
// ERROR_ACCESS_DENIED (5) for registry functions; ShellExecuteA returns null and
// records no request. Functions that report through the last-error code set it to
// the fault's error. GetCurrentProcess cannot fail and ignores faults.
struct Fault {
    // A constructor rather than an aggregate, so that {op} and {op, nth} leave the
    // other members defaulted without tripping -Wmissing-field-initializers.
    Fault(std::string op, int nth = 0, std::string instanceId = {}, DWORD error = ERROR_GEN_FAILURE)
        : op(std::move(op)), nth(nth), instanceId(std::move(instanceId)), error(error) {}
    std::string op;
    int nth = 0;                      // 0: every call
    std::string instanceId;           // empty: any device
    DWORD error = ERROR_GEN_FAILURE;  // the last-error code the failed call leaves
};

enum class Wow64Mode { Absent, NotWow64, Wow64, CallFails };

// Services, files, device state and started programs (SimSystem.h).
struct System;
class Disk;  // the file system, SimDisk.h

class Machine {
  public:
    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // --- building the tree ------------------------------------------------
    // Adds a device under parent (0: a root of the tree) as its last child and
    // returns its node. Instance IDs are unique (compared without letter case); adding
    // the ID of a phantom brings that device back with the new plan's data. The
    // builder throws std::invalid_argument / std::out_of_range on misuse (a present
    // duplicate, an unknown parent or device).
    DEVINST AddDevice(const DeviceSpec& plan, DEVINST parent = 0);
    // The node of a present device, or 0.
    DEVINST NodeOf(const std::string& instanceId) const;
    // The instance ID of a known node (of the tree or a phantom's), or empty.
    std::string InstanceIdOf(DEVINST node) const;
    // Devices the machine knows, phantoms included.
    std::size_t DeviceCount() const;
    // Sets any property of a device to raw bytes with a type; RemoveProperty drops it.
    void SetProperty(const std::string& instanceId, DWORD property, DWORD type,
                     const std::string& bytes);
    void RemoveProperty(const std::string& instanceId, DWORD property);
    std::optional<RegValue> Property(const std::string& instanceId, DWORD property) const;
    // Registry keys of a device: DIREG_DEV (hardware) or DIREG_DRV (driver).
    // HasKey tells whether the key exists; Key gives its values (the key must exist).
    bool HasKey(const std::string& instanceId, DWORD keyType) const;
    RegKeyValues& Key(const std::string& instanceId, DWORD keyType);
    void CreateKey(const std::string& instanceId, DWORD keyType);

    // --- changing the tree between calls ----------------------------------
    // Unplug: the device and everything below it leave the tree; their nodes become
    // unknown and every element that refers to them goes stale. They stay known as
    // phantoms (data kept), and registry keys opened on them before fail from now on.
    void Unplug(const std::string& instanceId);
    // Plug a new device in (same as AddDevice, for churn tests).
    DEVINST Plug(const DeviceSpec& plan, DEVINST parent = 0);
    // Restart: the node is re-created under the same parent and position with the
    // same instance ID and data, and a new DEVINST; old elements and the old node go
    // stale. Children are re-created too. Registry keys stay usable.
    void Restart(const std::string& instanceId);
    // Moves a device (with its subtree) to the end of another parent's children.
    void Reparent(const std::string& instanceId, DEVINST newParent);

    // --- process facts -----------------------------------------------------
    DWORD platformId = VER_PLATFORM_WIN32_NT;  // what GetVersionExA reports
    bool versionQueryFails = false;
    Wow64Mode wow64 = Wow64Mode::Absent;
    // The process runs with an administrator's rights. A standard user's process (an
    // unelevated command prompt) may open a device's registry keys for KEY_READ only:
    // asking for more fails with ERROR_ACCESS_DENIED, as the keys' security allows
    // administrators and the system alone to change them.
    bool elevated = true;
    // kernel32.dll exports SetDefaultDllDirectories (Windows 8, or 7 with its update).
    bool hasDefaultDllDirectories = false;
    // What GetFullPathNameW resolves a relative name against: a full path. This, the
    // files and the program's path are names in the machine's form (SimNames.h).
    std::string currentDirectory = "C:\\Users\\Setup\\Downloads";
    // The process's DLL search: SetDefaultDllDirectories' flags (0 until called) and
    // SetDllDirectoryA's last argument (absent until called, "" for none).
    DWORD defaultDllDirectories = 0;
    std::optional<std::string> dllDirectory;
    // Files that "exist" for SetupOpenInfFileW (names as given, no path logic).
    std::vector<std::string> files;

    struct ShellRequest {
        HWND owner;
        std::optional<std::string> verb, file, parameters, directory;
        INT show;
    };
    std::vector<ShellRequest> shellRequests;
    // Property-change restarts made through the class installer, by instance ID.
    std::vector<std::string> restarts;
    // InstallHinfSectionW command lines.
    std::vector<std::string> infInstalls;

    // --- call log -----------------------------------------------------------
    const std::vector<Call>& Calls() const;
    void ClearCalls();
    std::size_t CountCalls(const std::string& op) const;
    // Calls of one operation, in order.
    std::vector<Call> CallsOf(const std::string& op) const;
    bool logging = true;

    // --- fault injection ------------------------------------------------------
    void AddFault(const Fault& fault);
    void ClearFaults();
    // Called for every platform call by the seam implementation: records it and
    // tells whether it must fail.
    bool Enter(const char* op, std::string args, const std::string& device = {});
    // The last-error code, as GetLastError reads it.
    DWORD LastError() const;

    // --- handle accounting -----------------------------------------------------
    std::size_t OpenSetCount() const;
    std::size_t OpenKeyCount() const;
    std::size_t OpenInfCount() const;
    // Number of elements a set holds (for growth checks); 0 for an unknown set.
    std::size_t SetSize(HDEVINFO set) const;

    // Services, folders, device state and started programs (SimSystem.h).
    System& system();
    // The machine's files and folders.
    Disk& disk();

    // The seam implementation's view of the machine. Only platform/sim uses it.
    struct State;
    State& state();

  private:
    std::unique_ptr<State> state_;
    std::unique_ptr<System> system_;
    std::unique_ptr<Disk> disk_;
};

// The machine the seam functions act on. Tests install their own with ScopedMachine.
Machine& Current();

class ScopedMachine {
  public:
    explicit ScopedMachine(Machine& machine);
    ~ScopedMachine();
    ScopedMachine(const ScopedMachine&) = delete;
    ScopedMachine& operator=(const ScopedMachine&) = delete;

  private:
    Machine* previous_;
};

// Formats a GUID in registry form, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string FormatGuid(const GUID& guid);

// Well-known GUIDs used by the machine builders and the tests.
extern const GUID kClassHid;
extern const GUID kClassMouse;
extern const GUID kClassKeyboard;
extern const GUID kClassUsb;
extern const GUID kClassMedia;
extern const GUID kInterfaceUsbHub;

// Fills a machine with the built-in demo machine: root hubs, an external hub, a
// composite gaming mouse, a plain mouse, a mouse behind the hub, a keyboard, a
// headset, a HID device exposing the hub interface, a device without description,
// devices with lower filters and with bInterval values. What the program's modes
// see of it: class HID + "USB" + DIGCF_PRESENT gives 9 devices, 3 of them with a
// mouse-class child; all classes + "USB" gives 16, 5 of which expose the hub
// interface. The plain mouse USB\VID_0E8F&PID_0021\5&3B1D2A0&0&2 has the lower
// filter "QUORVIN" and bInterval 3; the mouse behind the external hub,
// USB\VID_2F1B&PID_0A31\6&4D5E6F7&0&1, has "mfltx" and 1000; the HID device
// USB\VID_16C0&PID_05DF\5&2D7E1F3&0&2 has no description and no keys. The game pad
// USB\VID_046D&PID_C21D\5&2D7E1F3&0&3 carries "quorvin" and reports problem 39. One
// mouse is a phantom (not present). The "quorvin" and "mfltx" services and their files
// are installed, so the game pad is the one device that does not start.
void BuildDemoMachine(Machine& machine);

}  // namespace sim
