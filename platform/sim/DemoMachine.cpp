// The built-in demo machine: what the program shows where Windows is absent, and a
// realistic tree for tests. Two host controllers with three root hubs; under them a
// composite gaming mouse, a plain mouse, an external hub with a mouse and a keyboard,
// a headset, a HID device that is also a hub, a HID device without a description,
// and an unplugged mouse that is left as a phantom. Most devices report a product
// name on their bus, as they do from Windows 7 on; the device without a description
// reports none either, as cheap devices without product strings do.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

RegValue Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return RegValue{REG_DWORD, bytes};
}

RegValue Text(const std::string& text) {
    return RegValue{REG_SZ, text + '\0'};
}

// A device as a driver installation leaves it: a hardware key with the usual device
// parameters and a driver key that describes the driver.
DeviceSpec Installed(const std::string& id, const GUID& cls, const std::string& description,
                     std::vector<std::string> hardwareIds) {
    DeviceSpec plan;
    plan.instanceId = id;
    plan.classGuid = cls;
    plan.description = description;
    plan.hardwareIds = std::move(hardwareIds);
    plan.hardwareKey = RegKeyValues{{"SelectiveSuspendEnabled", RegValue{REG_BINARY, "\x01"}}};
    plan.driverKey = RegKeyValues{{"DriverDesc", Text(description)},
                                  {"ProviderName", Text("Generic")},
                                  {"DriverVersion", Text("10.0.19041.1")}};
    return plan;
}

DeviceSpec Hub(const std::string& id, const std::string& description,
               std::vector<std::string> hardwareIds) {
    DeviceSpec plan = Installed(id, kClassUsb, description, std::move(hardwareIds));
    plan.interfaces = {kInterfaceUsbHub};
    return plan;
}

// A USB HID device ("USB Input Device") with the usual pair of hardware IDs.
DeviceSpec HidDevice(const std::string& id, const std::string& vidPid) {
    return Installed(id, kClassHid, "USB Input Device",
                     {"USB\\" + vidPid + "&REV_0100", "USB\\" + vidPid});
}

DeviceSpec Collection(const std::string& id, const GUID& cls, const std::string& description,
                      const std::string& hidId) {
    return Installed(id, cls, description, {"HID\\" + hidId, "HID_DEVICE"});
}

void SetLowerFilters(Machine& machine, const std::string& id,
                     const std::vector<std::string>& filters) {
    machine.SetProperty(id, SPDRP_LOWERFILTERS, REG_MULTI_SZ, MultiString(filters));
}

// The gaming mouse: one USB composite device with two HID interfaces, the first with
// a mouse and a keyboard collection, the second with a keyboard and consumer controls.
void AddGamingMouse(Machine& machine, DEVINST hub) {
    const std::string vidPid = "VID_1A2C&PID_4C5E";
    const DEVINST composite = machine.AddDevice(
        Installed("USB\\" + vidPid + "\\5&3B1D2A0&0&1", kClassUsb, "USB Composite Device",
                  {"USB\\" + vidPid + "&REV_0110", "USB\\" + vidPid}),
        hub);
    const DEVINST pointer = machine.AddDevice(
        HidDevice("USB\\" + vidPid + "&MI_00\\6&2C1F5D3&0&0000", vidPid + "&MI_00"), composite);
    machine.AddDevice(Collection("HID\\" + vidPid + "&MI_00&COL01\\7&1F3E2D1&0&0000", kClassMouse,
                                 "HID-compliant mouse", vidPid + "&MI_00&COL01"),
                      pointer);
    machine.AddDevice(Collection("HID\\" + vidPid + "&MI_00&COL02\\7&1F3E2D1&0&0001",
                                 kClassKeyboard, "HID Keyboard Device", vidPid + "&MI_00&COL02"),
                      pointer);
    const DEVINST keys = machine.AddDevice(
        HidDevice("USB\\" + vidPid + "&MI_01\\6&2C1F5D3&0&0001", vidPid + "&MI_01"), composite);
    machine.AddDevice(Collection("HID\\" + vidPid + "&MI_01&COL01\\7&9A1B2C3&0&0000",
                                 kClassKeyboard, "HID Keyboard Device", vidPid + "&MI_01&COL01"),
                      keys);
    machine.AddDevice(Collection("HID\\" + vidPid + "&MI_01&COL02\\7&9A1B2C3&0&0001", kClassHid,
                                 "HID-compliant consumer control device", vidPid + "&MI_01&COL02"),
                      keys);
    // The interfaces report the device's product string, having none of their own.
    for (const char* id :
         {"\\5&3B1D2A0&0&1", "&MI_00\\6&2C1F5D3&0&0000", "&MI_01\\6&2C1F5D3&0&0001"}) {
        SetBusReportedName(machine, "USB\\" + vidPid + id, u"USB Gaming Mouse");
    }
}

// A headset: a composite device with an audio interface and a HID interface for its
// volume and mute buttons.
void AddHeadset(Machine& machine, DEVINST hub) {
    const std::string vidPid = "VID_0D8C&PID_0014";
    const DEVINST composite = machine.AddDevice(
        Installed("USB\\" + vidPid + "\\5&3B1D2A0&0&4", kClassUsb, "USB Composite Device",
                  {"USB\\" + vidPid + "&REV_0100", "USB\\" + vidPid}),
        hub);
    machine.AddDevice(Installed("USB\\" + vidPid + "&MI_00\\6&1D3C5B7&0&0000", kClassMedia,
                                "USB Headset", {"USB\\" + vidPid + "&MI_00"}),
                      composite);
    const DEVINST controls = machine.AddDevice(
        HidDevice("USB\\" + vidPid + "&MI_03\\6&1D3C5B7&0&0003", vidPid + "&MI_03"), composite);
    machine.AddDevice(Collection("HID\\" + vidPid + "&MI_03\\7&3E4F5A6&0&0000", kClassHid,
                                 "HID-compliant consumer control device", vidPid + "&MI_03"),
                      controls);
    SetBusReportedName(machine, "USB\\" + vidPid + "\\5&3B1D2A0&0&4", u"USB Audio Headset");
    SetBusReportedName(machine, "USB\\" + vidPid + "&MI_00\\6&1D3C5B7&0&0000",
                       u"USB Audio Headset");
    SetBusReportedName(machine, "USB\\" + vidPid + "&MI_03\\6&1D3C5B7&0&0003", u"Headset Controls");
}

}  // namespace

void BuildDemoMachine(Machine& machine) {
    const DEVINST xhci = machine.AddDevice(
        Installed("PCI\\VEN_8086&DEV_A36D&SUBSYS_86941043&REV_10\\3&11583659&0&A0", kClassUsb,
                  "USB xHCI Compliant Host Controller",
                  {"PCI\\VEN_8086&DEV_A36D&SUBSYS_86941043&REV_10", "PCI\\VEN_8086&DEV_A36D"}));
    const DEVINST rootHub =
        machine.AddDevice(Hub("USB\\ROOT_HUB30\\4&2E7A3C1D&0&0", "USB Root Hub (USB 3.0)",
                              {"USB\\ROOT_HUB30&VID8086&PIDA36D&REV0010", "USB\\ROOT_HUB30"}),
                          xhci);

    AddGamingMouse(machine, rootHub);

    const std::string plainMouse = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
    const DEVINST mouse = machine.AddDevice(HidDevice(plainMouse, "VID_0E8F&PID_0021"), rootHub);
    machine.AddDevice(Collection("HID\\VID_0E8F&PID_0021\\6&1C2D3E4F&0&0000", kClassMouse,
                                 "HID-compliant mouse", "VID_0E8F&PID_0021"),
                      mouse);
    SetBusReportedName(machine, plainMouse, u"USB Optical Mouse");
    SetLowerFilters(machine, plainMouse, {"QUORVIN"});
    machine.Key(plainMouse, DIREG_DRV)["bInterval"] = Dword(3);

    const DEVINST externalHub =
        machine.AddDevice(Hub("USB\\VID_05E3&PID_0610\\5&3B1D2A0&0&3", "Generic USB Hub",
                              {"USB\\VID_05E3&PID_0610&REV_9223", "USB\\VID_05E3&PID_0610"}),
                          rootHub);
    const std::string hubMouse = "USB\\VID_2F1B&PID_0A31\\6&4D5E6F7&0&1";
    const DEVINST behindHub =
        machine.AddDevice(HidDevice(hubMouse, "VID_2F1B&PID_0A31"), externalHub);
    machine.AddDevice(Collection("HID\\VID_2F1B&PID_0A31\\7&2A3B4C5D&0&0000", kClassMouse,
                                 "HID-compliant mouse", "VID_2F1B&PID_0A31"),
                      behindHub);
    SetBusReportedName(machine, "USB\\VID_05E3&PID_0610\\5&3B1D2A0&0&3", u"USB 2.0 Hub");
    SetBusReportedName(machine, hubMouse, u"Wireless Receiver");
    SetLowerFilters(machine, hubMouse, {"mfltx"});
    machine.Key(hubMouse, DIREG_DRV)["bInterval"] = Dword(1000);

    const DEVINST keyboard = machine.AddDevice(
        HidDevice("USB\\VID_3C4D&PID_5E6F\\6&4D5E6F7&0&2", "VID_3C4D&PID_5E6F"), externalHub);
    SetBusReportedName(machine, "USB\\VID_3C4D&PID_5E6F\\6&4D5E6F7&0&2", u"USB Keyboard");
    machine.AddDevice(Collection("HID\\VID_3C4D&PID_5E6F\\7&5B6C7D8E&0&0000", kClassKeyboard,
                                 "HID Keyboard Device", "VID_3C4D&PID_5E6F"),
                      keyboard);
    // The keyboard cannot keep a rate the filter sets: once restarted with the filter and
    // a stored rate it sends nothing, so the window's question "Keep these settings?" and
    // its revert can be watched on it.
    SetSilentAtStoredRate(machine, "HID\\VID_3C4D&PID_5E6F\\7&5B6C7D8E&0&0000");

    AddHeadset(machine, rootHub);

    const DEVINST ehci = machine.AddDevice(
        Installed("PCI\\VEN_8086&DEV_1E2D&SUBSYS_84CA1043&REV_04\\3&11583659&0&D0", kClassUsb,
                  "USB Enhanced Host Controller",
                  {"PCI\\VEN_8086&DEV_1E2D&SUBSYS_84CA1043&REV_04", "PCI\\VEN_8086&DEV_1E2D"}));
    const DEVINST rootHub2 =
        machine.AddDevice(Hub("USB\\ROOT_HUB20\\4&1F2E3D4C&0", "USB Root Hub",
                              {"USB\\ROOT_HUB20&VID8086&PID1E2D&REV0004", "USB\\ROOT_HUB20"}),
                          ehci);
    machine.AddDevice(Hub("USB\\ROOT_HUB20\\4&5A6B7C8D&0", "USB Root Hub",
                          {"USB\\ROOT_HUB20&VID8086&PID1E26&REV0004", "USB\\ROOT_HUB20"}),
                      ehci);

    // A keyboard-and-hub combination whose HID function also carries the hub interface.
    DeviceSpec hubbedHid = HidDevice("USB\\VID_10C4&PID_8A40\\5&2D7E1F3&0&1", "VID_10C4&PID_8A40");
    hubbedHid.interfaces = {kInterfaceUsbHub};
    const DEVINST hubbed = machine.AddDevice(hubbedHid, rootHub2);
    SetBusReportedName(machine, hubbedHid.instanceId, u"Keyboard Hub");
    machine.AddDevice(Collection("HID\\VID_10C4&PID_8A40\\6&3C4D5E6F&0&0000", kClassHid,
                                 "HID-compliant vendor-defined device", "VID_10C4&PID_8A40"),
                      hubbed);

    // A device whose driver never installed: no description and no keys.
    DeviceSpec bare = HidDevice("USB\\VID_16C0&PID_05DF\\5&2D7E1F3&0&2", "VID_16C0&PID_05DF");
    bare.description.reset();
    bare.hardwareKey.reset();
    bare.driverKey.reset();
    machine.AddDevice(bare, rootHub2);

    // A game pad that carries the filter and whose last start failed to load it
    // (problem 39), as when it was started while the driver file was missing: it has
    // no HID collection below it.
    const std::string gamePad = "USB\\VID_046D&PID_C21D\\5&2D7E1F3&0&3";
    machine.AddDevice(HidDevice(gamePad, "VID_046D&PID_C21D"), rootHub2);
    SetBusReportedName(machine, gamePad, u"USB Game Pad");
    SetLowerFilters(machine, gamePad, {"quorvin"});
    machine.system().problems[gamePad] = CM_PROB_DRIVER_FAILED_LOAD;

    InstallDriverService(machine, "quorvin");
    // The other vendor's filter on the mouse behind the hub is installed too: the game
    // pad is the demo's one device that does not start.
    InstallDriverService(machine, "mfltx");

    DeviceSpec unplugged = HidDevice("USB\\VID_2F1B&PID_0B22\\5&3B1D2A0&0&5", "VID_2F1B&PID_0B22");
    unplugged.present = false;
    machine.AddDevice(unplugged);
    SetBusReportedName(machine, unplugged.instanceId, u"Wireless Mouse");
}

}  // namespace sim
