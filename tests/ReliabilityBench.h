// What the reliability suites (fault sweep, churn, bad input) share: the demo
// machine on either platform family, with or without WOW64; a snapshot of every
// device's stored filter list and rate taken from the machine itself; and the
// error reports among the message boxes shown.
#pragma once

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "companion/Companion.h"
#include "platform/sim/SimNames.h"
#include "config/PlatformFamily.h"
#include "device/DevInfoSetHandle.h"
#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"
#include "ui/headless/HeadlessDesktop.h"

namespace reliability {

enum class Variant { NT, Wow64, Win9x };

inline const char* VariantName(Variant variant) {
    switch (variant) {
        case Variant::NT:
            return "NT";
        case Variant::Wow64:
            return "WOW64";
        case Variant::Win9x:
            return "9x";
    }
    return "?";
}

// The error report of a parent lookup that failed, which the program shows and goes on.
inline constexpr const char* kParentError = "GetParentDevice.GetDevInfoByDevInst.";

// The demo machine's devices that the tests name: a mouse with "QUORVIN" stored
// below a root hub, the gaming mouse's pointer interface below its composite
// device, and a mouse behind an external hub with "mfltx".
inline const std::string kPlainMouse = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
inline const std::string kCompositeMouse = "USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000";
inline const std::string kHubMouse = "USB\\VID_2F1B&PID_0A31\\6&4D5E6F7&0&1";
// Where the setup program finds its companion on the simulated machine.
inline const std::string kCompanionBesideProgram = "C:\\Users\\User\\Downloads\\kevra64.exe";

// The stored state of one device: its lower-filter list where the family keeps it,
// and its bInterval value.
struct StoredDevice {
    std::optional<sim::RegValue> filters;
    std::optional<sim::RegValue> rate;
};

inline bool SameValue(const std::optional<sim::RegValue>& a,
                      const std::optional<sim::RegValue>& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->data == b->data));
}

inline bool operator==(const StoredDevice& a, const StoredDevice& b) {
    return SameValue(a.filters, b.filters) && SameValue(a.rate, b.rate);
}

using StoredState = std::map<std::string, StoredDevice>;

// The instance IDs of every device the machine knows, phantoms included, read
// through the platform before anything is counted.
inline std::vector<std::string> AllInstanceIds(sim::Machine& machine) {
    const bool logging = machine.logging;
    machine.logging = false;
    std::vector<std::string> ids;
    device::DevInfoSetHandle set(
        plat::SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    for (DWORD i = 0; plat::SetupDiEnumDeviceInfo(set.get(), i, &element); ++i) {
        char id[512] = {};
        DWORD size = 0;
        if (plat::SetupDiGetDeviceInstanceIdA(set.get(), &element, id, sizeof id, &size)) {
            ids.emplace_back(id);
        }
    }
    set.reset();
    machine.logging = logging;
    return ids;
}

inline std::optional<sim::RegValue> KeyValue(sim::Machine& machine, const std::string& id,
                                             DWORD keyType, const char* name) {
    if (!machine.HasKey(id, keyType)) {
        return std::nullopt;
    }
    const sim::RegKeyValues& values = machine.Key(id, keyType);
    const auto found = values.find(name);
    return found != values.end() ? std::optional(found->second) : std::nullopt;
}

inline StoredState Snapshot(sim::Machine& machine, const std::vector<std::string>& ids,
                            bool win9x) {
    StoredState state;
    for (const std::string& id : ids) {
        StoredDevice& device = state[id];
        device.filters = win9x ? KeyValue(machine, id, DIREG_DEV, "LowerFilters")
                               : machine.Property(id, SPDRP_LOWERFILTERS);
        device.rate = KeyValue(machine, id, DIREG_DRV, "bInterval");
    }
    return state;
}

// Builds the demo machine for a variant. On the 9x family the lists live in the
// hardware keys, so two of the devices get one there as well.
inline void BuildVariant(sim::Machine& machine, Variant variant) {
    sim::BuildDemoMachine(machine);
    if (variant == Variant::Wow64) {
        machine.wow64 = sim::Wow64Mode::Wow64;
        // The companion beside the program, restarting on the same machine.
        machine.files.push_back(kCompanionBesideProgram);
        machine.system().run = [](const std::string&, const std::string& parameters) {
            return static_cast<DWORD>(companion::RunCompanion(sim::Utf16(parameters)).exitCode);
        };
    }
    if (variant == Variant::Win9x) {
        machine.platformId = VER_PLATFORM_WIN32_WINDOWS;
        machine.Key(kPlainMouse, DIREG_DEV)["LowerFilters"] = {REG_MULTI_SZ,
                                                               std::string("QUORVIN.SYS\0\0", 13)};
        machine.Key(kHubMouse, DIREG_DEV)["LowerFilters"] = {REG_MULTI_SZ,
                                                             std::string("mfltx\0\0", 7)};
    }
    machine.files.push_back("quorvin.inf");
}

// The platform family is process-wide: every test puts NT back when it ends.
struct FamilyReset {
    ~FamilyReset() {
        sim::Machine machine;
        sim::ScopedMachine use(machine);
        config::InitPlatformFamily();
    }
};

// The texts of the error reports among the message boxes shown, in order.
inline std::vector<std::string> ErrorReports(const headless::HeadlessDesktop& desktop) {
    std::vector<std::string> texts;
    for (const headless::ShownMessageBox& box : desktop.MessageBoxes()) {
        if ((box.style & 0xF0) == MB_ICONERROR) {
            texts.push_back(box.text);
        }
    }
    return texts;
}

}  // namespace reliability
