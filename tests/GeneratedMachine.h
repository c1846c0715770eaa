// Machines of any size with a realistic USB tree, for the call-budget and growth
// tests and the benchmarks. Host controllers each carry a root hub with up to eight
// gadgets below it, in a fixed rotation:
//
//   gaming mouse   composite (USB) ── 2 HID interfaces ── mouse, keyboard,
//                  keyboard and consumer-control collections            7 nodes
//   plain mouse    HID ── mouse collection                              2 nodes
//   keyboard       HID ── keyboard collection                           2 nodes
//   external hub   hub (USB, hub interface) ── mouse (2), keyboard (2)  5 nodes
//   headset        composite (USB) ── audio (Media), HID ── consumer    4 nodes
//   flash drive    mass storage (USB) ── disk (outside the USB bus)     2 nodes
//
// Every third HID interface carries the filter (in its property for the NT family
// and in its hardware key for the 9x family) and a stored bInterval. The machine has
// exactly the number of nodes asked for: what the rotation cannot fill is made up by
// HID devices whose collection never installed (no children).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace generated {

struct MachineShape {
    int nodes = 0;
    int usbEnumerated = 0;  // what the all-devices list enumerates
    int hidInterfaces = 0;  // what the normal list enumerates
    int mouseParents = 0;   // what Mice Only keeps
    int hubs = 0;           // USB-enumerated devices with the hub interface
};

inline const GUID kClassDiskDrive = {
    0x4D36E967, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

class MachineGenerator {
  public:
    MachineGenerator(sim::Machine& machine, int nodes) : machine_(machine), budget_(nodes) {}

    MachineShape Generate() {
        static constexpr int kGadgetsPerRootHub = 8;
        static constexpr int kRotation[] = {7, 2, 2, 5, 4, 2};
        int gadget = 0;
        DEVINST rootHub = 0;
        int onRootHub = kGadgetsPerRootHub;
        for (;;) {
            const int size = kRotation[gadget % 6];
            const int needed = size + (onRootHub == kGadgetsPerRootHub ? 2 : 0);
            if (shape_.nodes + needed > budget_) {
                break;
            }
            if (onRootHub == kGadgetsPerRootHub) {
                rootHub = AddHost();
                onRootHub = 0;
            }
            AddGadget(gadget % 6, rootHub);
            ++gadget;
            ++onRootHub;
        }
        while (shape_.nodes < budget_) {
            AddHid(Serial("VID_16C0&PID_05DF"), "VID_16C0&PID_05DF", rootHub, false);
        }
        return shape_;
    }

  private:
    static std::string Hex(unsigned value) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string text;
        do {
            text.insert(text.begin(), kDigits[value % 16]);
            value /= 16;
        } while (value != 0);
        return text;
    }

    std::string Serial(const std::string& vidPid) {
        return "USB\\" + vidPid + "\\5&" + Hex(0x3B1D2A0u + static_cast<unsigned>(shape_.nodes)) +
               "&0&" + std::to_string(shape_.nodes % 16);
    }

    static std::string MultiString(const std::vector<std::string>& entries) {
        std::string bytes;
        for (const std::string& entry : entries) {
            bytes += entry;
            bytes += '\0';
        }
        return bytes + '\0';
    }

    static sim::RegValue Dword(std::uint32_t value) {
        std::string bytes(4, '\0');
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return {REG_DWORD, bytes};
    }

    DEVINST Add(const std::string& id, const GUID& cls, const std::string& description,
                std::vector<std::string> hardwareIds, DEVINST parent, bool hub = false) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = cls;
        plan.description = description;
        plan.hardwareIds = std::move(hardwareIds);
        plan.hardwareKey = sim::RegKeyValues{};
        plan.driverKey = sim::RegKeyValues{{"DriverDesc", {REG_SZ, description + '\0'}}};
        if (hub) {
            plan.interfaces = {sim::kInterfaceUsbHub};
        }
        ++shape_.nodes;
        if (id.rfind("USB\\", 0) == 0) {
            ++shape_.usbEnumerated;
            shape_.hubs += hub ? 1 : 0;
        }
        return machine_.AddDevice(plan, parent);
    }

    DEVINST AddHost() {
        const std::string n = std::to_string(hosts_++);
        const DEVINST host =
            Add("PCI\\VEN_8086&DEV_A36D&SUBSYS_86941043&REV_10\\3&11583659&0&" + n, sim::kClassUsb,
                "USB xHCI Compliant Host Controller", {"PCI\\VEN_8086&DEV_A36D"}, 0);
        return Add("USB\\ROOT_HUB30\\4&2E7A3C1D&0&" + n, sim::kClassUsb, "USB Root Hub (USB 3.0)",
                   {"USB\\ROOT_HUB30&VID8086&PIDA36D&REV0010", "USB\\ROOT_HUB30"}, host, true);
    }

    // A HID interface; every third one carries the filter and a stored rate.
    DEVINST AddHid(const std::string& id, const std::string& vidPid, DEVINST parent,
                   bool counted = true) {
        const DEVINST node = Add(id, sim::kClassHid, "USB Input Device",
                                 {"USB\\" + vidPid + "&REV_0100", "USB\\" + vidPid}, parent);
        ++shape_.hidInterfaces;
        if (counted && hidSerial_++ % 3 == 0) {
            machine_.SetProperty(id, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                                 MultiString({"quorvin", "mfltx"}));
            machine_.Key(id, DIREG_DEV)["LowerFilters"] = {REG_MULTI_SZ,
                                                           MultiString({"quorvin.sys", "mfltx"})};
            machine_.Key(id, DIREG_DRV)["bInterval"] = Dword(1u << (hidSerial_ % 6));
        }
        return node;
    }

    void AddCollection(const std::string& hidId, const GUID& cls, const std::string& description,
                       DEVINST parent) {
        const std::string tail = hidId.substr(4, hidId.rfind('\\') - 4);
        Add("HID\\" + tail + "\\7&" + Hex(0x1F3E2D1u + static_cast<unsigned>(shape_.nodes)) +
                "&0&0000",
            cls, description, {"HID\\" + tail, "HID_DEVICE"}, parent);
    }

    DEVINST AddMouse(DEVINST parent, const std::string& vidPid) {
        const std::string id = Serial(vidPid);
        const DEVINST hid = AddHid(id, vidPid, parent);
        AddCollection(id, sim::kClassMouse, "HID-compliant mouse", hid);
        ++shape_.mouseParents;
        return hid;
    }

    DEVINST AddKeyboard(DEVINST parent, const std::string& vidPid) {
        const std::string id = Serial(vidPid);
        const DEVINST hid = AddHid(id, vidPid, parent);
        AddCollection(id, sim::kClassKeyboard, "HID Keyboard Device", hid);
        return hid;
    }

    void AddGadget(int kind, DEVINST rootHub) {
        switch (kind) {
            case 0: {
                const std::string vidPid = "VID_1A2C&PID_4C5E";
                const std::string base = Serial(vidPid);
                const DEVINST composite = Add(base, sim::kClassUsb, "USB Composite Device",
                                              {"USB\\" + vidPid + "&REV_0110"}, rootHub);
                const std::string pointerId = Serial(vidPid + "&MI_00");
                const DEVINST pointer = AddHid(pointerId, vidPid + "&MI_00", composite);
                AddCollection(pointerId, sim::kClassMouse, "HID-compliant mouse", pointer);
                AddCollection(pointerId, sim::kClassKeyboard, "HID Keyboard Device", pointer);
                ++shape_.mouseParents;
                const std::string keysId = Serial(vidPid + "&MI_01");
                const DEVINST keys = AddHid(keysId, vidPid + "&MI_01", composite);
                AddCollection(keysId, sim::kClassKeyboard, "HID Keyboard Device", keys);
                AddCollection(keysId, sim::kClassHid, "HID-compliant consumer control device",
                              keys);
                break;
            }
            case 1:
                AddMouse(rootHub, "VID_0E8F&PID_0021");
                break;
            case 2:
                AddKeyboard(rootHub, "VID_3C4D&PID_5E6F");
                break;
            case 3: {
                const DEVINST hub =
                    Add(Serial("VID_05E3&PID_0610"), sim::kClassUsb, "Generic USB Hub",
                        {"USB\\VID_05E3&PID_0610"}, rootHub, true);
                AddMouse(hub, "VID_2F1B&PID_0A31");
                AddKeyboard(hub, "VID_046D&PID_C31C");
                break;
            }
            case 4: {
                const std::string vidPid = "VID_0D8C&PID_0014";
                const DEVINST composite = Add(Serial(vidPid), sim::kClassUsb,
                                              "USB Composite Device", {"USB\\" + vidPid}, rootHub);
                Add(Serial(vidPid + "&MI_00"), sim::kClassMedia, "USB Headset",
                    {"USB\\" + vidPid + "&MI_00"}, composite);
                const std::string controlsId = Serial(vidPid + "&MI_03");
                const DEVINST controls = AddHid(controlsId, vidPid + "&MI_03", composite);
                AddCollection(controlsId, sim::kClassHid, "HID-compliant consumer control device",
                              controls);
                break;
            }
            default: {
                const DEVINST storage =
                    Add(Serial("VID_0781&PID_5567"), sim::kClassUsb, "USB Mass Storage Device",
                        {"USB\\VID_0781&PID_5567"}, rootHub);
                Add("USBSTOR\\DISK&VEN_SANDISK&PROD_CRUZER\\" + std::to_string(shape_.nodes),
                    kClassDiskDrive, "SanDisk Cruzer USB Device", {"USBSTOR\\DiskSanDisk"},
                    storage);
                break;
            }
        }
    }

    sim::Machine& machine_;
    int budget_;
    MachineShape shape_;
    int hosts_ = 0;
    int hidSerial_ = 0;
};

// Fills the machine with exactly `nodes` devices and clears its call log.
inline MachineShape Generate(sim::Machine& machine, int nodes) {
    const MachineShape shape = MachineGenerator(machine, nodes).Generate();
    machine.ClearCalls();
    return shape;
}

// How many calls of each kind the machine's call log holds.
inline std::map<std::string, std::size_t> CountsByOp(const sim::Machine& machine) {
    std::map<std::string, std::size_t> counts;
    for (const sim::Call& call : machine.Calls()) {
        ++counts[call.op];
    }
    return counts;
}

}  // namespace generated
