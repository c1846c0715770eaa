// Device descriptions of any bytes through the name joining (GetParentName,
// GetChildNames) and the grid's cell texts. One listed HID device sits below a
// composite parent and has up to seven children; any child may be one that
// cannot be opened.
//
// Input: two control bytes, then the descriptions of the parent, the listed
// device and each child, each as a length byte (0xFF: no description) and bytes.
//   byte 0, bits 0-2  number of children
//   byte 0, bit 3     the first child is of the mouse class
//   byte 0, bit 4     also paint the grid and check its cells
//   byte 1            bit i: child i cannot be opened
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/ByteReader.h"
#include "fuzz/CopyIdsModel.h"
#include "platform/sim/SimMachine.h"
#include "ui/headless/HeadlessWindow.h"

namespace fuzzcheck {

using Description = std::optional<std::string>;

struct NamesCase {
    bool firstChildMouse = false;
    bool paint = false;
    std::uint8_t unopenable = 0;
    Description parent;
    Description listed;
    std::vector<Description> children;
};

inline Description ReadDescription(ByteReader& in) {
    const std::uint8_t length = in.Byte();
    if (length == 0xFF) {
        return std::nullopt;
    }
    return in.Take(length);
}

inline NamesCase DecodeNamesCase(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const std::uint8_t control = in.Byte();
    NamesCase c;
    c.firstChildMouse = (control & 8) != 0;
    c.paint = (control & 16) != 0;
    c.unopenable = in.Byte();
    c.parent = ReadDescription(in);
    c.listed = ReadDescription(in);
    for (int i = 0; i < (control & 7); ++i) {
        c.children.push_back(ReadDescription(in));
    }
    return c;
}

// The name a description reads as: the stored bytes without their last one.
inline std::string NameOf(const Description& stored) {
    return model::PropertyText(stored.value_or(std::string()));
}

// Names from the first non-empty one on, joined by "; ".
inline std::string ExpectedNames(const std::vector<std::string>& names) {
    std::size_t first = 0;
    while (first < names.size() && names[first].empty()) {
        ++first;
    }
    std::string joined;
    for (std::size_t i = first; i < names.size(); ++i) {
        joined += (i == first ? "" : "; ") + names[i];
    }
    return joined;
}

class NamesBed {
  public:
    static constexpr const char* kListed = "USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000";

    explicit NamesBed(const NamesCase& c) {
        machine_.logging = false;
        sim::DeviceSpec hub;
        hub.instanceId = "USB\\ROOT_HUB30\\4&1";
        hub.classGuid = sim::kClassUsb;
        hub.description = "USB Root Hub";
        hub.interfaces = {sim::kInterfaceUsbHub};
        const DEVINST root = machine_.AddDevice(hub);
        const DEVINST parent = Add("USB\\VID_1A2C&PID_4C5E\\5&1", sim::kClassUsb, c.parent, root);
        const DEVINST listed = Add(kListed, sim::kClassHid, c.listed, parent);
        for (std::size_t i = 0; i < c.children.size(); ++i) {
            const std::string id = "HID\\VID_1A2C&PID_4C5E&COL0" + std::to_string(i) + "\\7&1";
            const bool mouse = i == 0 && c.firstChildMouse;
            Add(id, mouse ? sim::kClassMouse : sim::kClassHid, c.children[i], listed);
            if ((c.unopenable >> i) & 1) {
                machine_.AddFault(sim::Fault("SetupDiOpenDeviceInfoA", 0, id));
            }
        }
    }

    sim::Machine& Machine() { return machine_; }

  private:
    DEVINST Add(const std::string& id, const GUID& cls, const Description& description,
                DEVINST parent) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = cls;
        const DEVINST node = machine_.AddDevice(plan, parent);
        if (description) {
            machine_.SetProperty(id, SPDRP_DEVICEDESC, REG_SZ, *description);
        }
        return node;
    }

    sim::Machine machine_;
    sim::ScopedMachine use_{machine_};
};

inline std::string CheckNames(const std::uint8_t* data, std::size_t size) {
    const NamesCase c = DecodeNamesCase(data, size);
    std::vector<std::string> childNames;
    bool mouse = false;
    for (std::size_t i = 0; i < c.children.size(); ++i) {
        if (((c.unopenable >> i) & 1) == 0) {
            childNames.push_back(NameOf(c.children[i]));
            mouse = mouse || (i == 0 && c.firstChildMouse);
        }
    }
    const std::vector<std::string> expected = {NameOf(c.listed), NameOf(c.parent),
                                               ExpectedNames(childNames), mouse ? "Yes" : "No"};

    NamesBed bed(c);
    headless::WindowOptions options;
    options.show = c.paint;
    headless::HeadlessWindow window(options);
    ui::TfrmSetup& form = window.Form();
    if (!mouse) {
        form.cbMouseOnly->UserClick();
    }
    if (form.DeviceList == nullptr || form.DeviceList->Count() != 1) {
        return "the listed device is missing";
    }
    device::TDevice& device = form.DeviceList->GetDevice(0);
    const std::string got[] = {device.GetDescription(), device.GetParentName(),
                               device.GetChildNames(), device.IsMouseParent() ? "Yes" : "No"};
    const char* const what[] = {"description", "parent name", "child names", "mouse test"};
    for (std::size_t i = 0; i < 4; ++i) {
        if (got[i] != expected[i]) {
            return std::string(what[i]) + " \"" + Printable(got[i]) + "\", expected \"" +
                   Printable(expected[i]) + "\"";
        }
    }
    if (!c.paint) {
        return {};
    }
    window.Paint();
    for (int col = 0; col < 4; ++col) {
        const auto cell = window.Cell(col, 1);
        if (!cell || cell->text != expected[static_cast<std::size_t>(col)]) {
            return "cell " + std::to_string(col) + " shows \"" +
                   Printable(cell ? cell->text : "<not painted>") + "\", expected \"" +
                   Printable(expected[static_cast<std::size_t>(col)]) + "\"";
        }
    }
    if (!window.Desktop().MessageBoxes().empty()) {
        return "an error was reported: " + window.Desktop().MessageBoxes().front().text;
    }
    return {};
}

}  // namespace fuzzcheck
