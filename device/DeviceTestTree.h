// A small device tree for the inventory tests, on a machine of its own:
//
//   root hub (USB class, hub interface)
//   ├── composite (USB class)
//   │   ├── hid0  "USB Input Device"   (HID)  ── mouse collection (Mouse)
//   │   └── hid1  "USB Input Device"   (HID)  ── keyboard collection (Keyboard)
//   ├── hidhub "Hub-like HID"          (HID, exposes the hub interface)
//   └── deep   "Deep HID"              (HID)  ── child (HID) ── mouse (Mouse)
#pragma once

#include "platform/sim/SimMachine.h"

namespace device {

struct TestTree {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    DEVINST root, composite, hid0, mouse, hid1, keyboard, hidhub, deep, deepChild, deepMouse;

    static sim::DeviceSpec Plan(const char* id, const GUID& cls, const char* desc) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = cls;
        plan.description = desc;
        plan.hardwareIds = {std::string(id).substr(0, std::string(id).rfind('\\'))};
        return plan;
    }

    TestTree() {
        auto rootSpec = Plan("USB\\ROOT_HUB30\\4&1", sim::kClassUsb, "USB Root Hub");
        rootSpec.interfaces = {sim::kInterfaceUsbHub};
        root = machine.AddDevice(rootSpec);
        composite = machine.AddDevice(
            Plan("USB\\VID_1111&PID_2222\\5&1", sim::kClassUsb, "USB Composite Device"), root);
        hid0 = machine.AddDevice(
            Plan("USB\\VID_1111&PID_2222&MI_00\\6&1", sim::kClassHid, "USB Input Device"),
            composite);
        mouse = machine.AddDevice(
            Plan("HID\\VID_1111&PID_2222&MI_00\\7&1", sim::kClassMouse, "HID-compliant mouse"),
            hid0);
        hid1 = machine.AddDevice(
            Plan("USB\\VID_1111&PID_2222&MI_01\\6&2", sim::kClassHid, "USB Input Device"),
            composite);
        keyboard = machine.AddDevice(
            Plan("HID\\VID_1111&PID_2222&MI_01\\7&2", sim::kClassKeyboard, "HID Keyboard Device"),
            hid1);
        auto hubSpec = Plan("USB\\VID_3333&PID_4444\\5&2", sim::kClassHid, "Hub-like HID");
        hubSpec.interfaces = {sim::kInterfaceUsbHub};
        hidhub = machine.AddDevice(hubSpec, root);
        deep = machine.AddDevice(Plan("USB\\VID_5555&PID_6666\\5&3", sim::kClassHid, "Deep HID"),
                                 root);
        deepChild = machine.AddDevice(
            Plan("HID\\VID_5555&PID_6666\\8&1", sim::kClassHid, "Deep child"), deep);
        deepMouse = machine.AddDevice(
            Plan("HID\\VID_5555&PID_6666\\9&1", sim::kClassMouse, "HID-compliant mouse"),
            deepChild);
        machine.ClearCalls();
    }
};

}  // namespace device
