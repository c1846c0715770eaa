// A small machine for the setup window's tests, installed as the current one:
//
//   root hub "USB Root Hub" (USB, hub interface)
//   ├── composite "USB Composite Device" (USB)
//   │   ├── hidA  "Mouse A"  (HID) ── mouse            no hub, parent no hub
//   │   ├── hidB  "Keys B"   (HID) ── keyboard         (left out by Mice Only)
//   │   └── hidHC "Hub HC"   (HID, hub interface) ── mouse    hub, parent no hub
//   ├── hidM  "Mouse M"  (HID) ── mouse, filter on, rate "250"  no hub, parent hub
//   └── hidH  "Hub H"    (HID, hub interface) ── mouse          hub, parent hub
//
// With Mice Only (the start state) the grid lists hidA, hidHC, hidM, hidH in rows
// 1 to 4; without it hidB follows hidA. The filter driver is installed.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/SimDisk.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"

namespace setup_test {

inline const std::string kRootHub = "USB\\ROOT_HUB30\\4&1";
inline const std::string kComposite = "USB\\VID_1111&PID_2222\\5&1";
inline const std::string kHidA = "USB\\VID_1111&PID_2222&MI_00\\6&1";
inline const std::string kHidB = "USB\\VID_1111&PID_2222&MI_01\\6&2";
inline const std::string kHidHC = "USB\\VID_1111&PID_2222&MI_02\\6&3";
inline const std::string kHidM = "USB\\VID_3333&PID_4444\\5&2";
inline const std::string kHidH = "USB\\VID_5555&PID_6666\\5&3";

// Which questions attaching the filter asks, by device and Mice Only row. The window's
// filter command and the command-line program's --force are both held to this table.
struct QuestionCase {
    int row;
    std::string device;
    bool hubQuestion;
    bool usefulnessQuestion;
};
inline const std::vector<QuestionCase> kQuestionCases = {
    {1, kHidA, false, true},   // no hub, parent no hub
    {2, kHidHC, true, true},   // hub, parent no hub
    {3, kHidM, false, false},  // no hub, parent hub
    {4, kHidH, true, false},   // hub, parent hub
};

inline std::string Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

struct SetupMachine {
    sim::Machine machine;
    sim::ScopedMachine use{machine};

    static sim::DeviceSpec Plan(const std::string& id, const GUID& cls, const char* desc,
                                bool hub = false) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = cls;
        plan.description = desc;
        plan.hardwareIds = {id.substr(0, id.rfind('\\')) + "&REV_0100",
                            id.substr(0, id.rfind('\\'))};
        plan.hardwareKey = sim::RegKeyValues{};
        plan.driverKey = sim::RegKeyValues{};
        if (hub) {
            plan.interfaces = {sim::kInterfaceUsbHub};
        }
        return plan;
    }

    DEVINST AddWithChild(const std::string& id, const char* desc, bool hub, DEVINST parent,
                         const GUID& childClass) {
        const DEVINST node = machine.AddDevice(Plan(id, sim::kClassHid, desc, hub), parent);
        machine.AddDevice(Plan("HID\\" + id.substr(4) + "\\C", childClass, "collection"), node);
        return node;
    }

    SetupMachine() {
        const DEVINST root =
            machine.AddDevice(Plan(kRootHub, sim::kClassUsb, "USB Root Hub", true));
        const DEVINST composite =
            machine.AddDevice(Plan(kComposite, sim::kClassUsb, "USB Composite Device"), root);
        AddWithChild(kHidA, "Mouse A", false, composite, sim::kClassMouse);
        AddWithChild(kHidB, "Keys B", false, composite, sim::kClassKeyboard);
        AddWithChild(kHidHC, "Hub HC", true, composite, sim::kClassMouse);
        AddWithChild(kHidM, "Mouse M", false, root, sim::kClassMouse);
        AddWithChild(kHidH, "Hub H", true, root, sim::kClassMouse);
        machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("quorvin\0\0", 9));
        machine.Key(kHidM, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(4)};
        sim::InstallDriverService(machine, "quorvin");
        machine.ClearCalls();
    }

    // The stored lower-filter list of a device, or "<none>".
    std::string LowerFilters(const std::string& id) const {
        const auto value = machine.Property(id, SPDRP_LOWERFILTERS);
        return value ? value->data : "<none>";
    }

    // The stored polling interval (bInterval) of a device, or "<none>".
    std::string StoredInterval(const std::string& id) {
        const auto& key = machine.Key(id, DIREG_DRV);
        const auto value = key.find("bInterval");
        return value == key.end() ? "<none>" : value->second.data;
    }
};

// A lower-filter list that holds the filter alone.
inline const std::string kFilterOnly("quorvin\0\0", 9);

// The two questions attaching the filter may ask first.
inline constexpr const char* kHubText = "You try to setup filter driver for usb hub, are you sure?";
inline constexpr const char* kUsefulText =
    "Filter driver is probably useless for this device, continue setup?";

// Where the window keeps its journal on the simulated machine.
inline const std::string kJournal = sim::kProgramData + "\\QUORVIN Setup\\undo-journal.txt";

}  // namespace setup_test
