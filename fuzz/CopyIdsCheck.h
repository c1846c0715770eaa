// Instance-ID and hardware-ID bytes through MultiStringToLines, CopyIdsText and the
// window's "Copy IDs" button, checked against the model of the clipboard text.
//
// Input: one control byte, the instance ID's length, the instance ID, then the
// stored hardware-ID bytes.
//   bit 0   no hardware-ID property
//   bit 1   also run the whole window: list, row, button, clipboard
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "fuzz/ByteReader.h"
#include "fuzz/CopyIdsModel.h"
#include "platform/sim/SimMachine.h"
#include "ui/CopyIdsText.h"
#include "ui/headless/HeadlessWindow.h"

namespace fuzzcheck {

struct CopyIdsCase {
    bool hardwareIdsPresent = true;
    bool throughWindow = false;
    std::string instanceId;  // what follows "USB\" in the device's instance ID
    std::string hardwareIds;
};

inline CopyIdsCase DecodeCopyIdsCase(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const std::uint8_t control = in.Byte();
    CopyIdsCase c;
    c.hardwareIdsPresent = (control & 1) == 0;
    c.throughWindow = (control & 2) != 0;
    c.instanceId = in.Take(in.Byte());
    c.hardwareIds = in.Rest();
    return c;
}

// The clipboard text of the one listed device, or nothing when the device cannot
// be on this machine (its ID clashes with another's).
inline std::optional<std::string> CopyThroughWindow(const std::string& instanceId,
                                                    const std::optional<std::string>& hardwareIds) {
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    machine.logging = false;
    sim::DeviceSpec hub;
    hub.instanceId = "USB\\ROOT_HUB30\\4&1";
    hub.classGuid = sim::kClassUsb;
    hub.interfaces = {sim::kInterfaceUsbHub};
    const DEVINST root = machine.AddDevice(hub);
    sim::DeviceSpec device;
    device.instanceId = instanceId;
    device.classGuid = sim::kClassHid;
    DEVINST node = 0;
    try {
        node = machine.AddDevice(device, root);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
    sim::DeviceSpec mouse;
    mouse.instanceId = "HID\\VID_0E8F&PID_0021\\6&1";
    mouse.classGuid = sim::kClassMouse;
    machine.AddDevice(mouse, node);
    if (hardwareIds) {
        machine.SetProperty(instanceId, SPDRP_HARDWAREID, REG_MULTI_SZ, *hardwareIds);
    }
    headless::HeadlessWindow window;
    window.Form().btnCopyID->UserClick();
    return window.Desktop().clipboard.TextBlock().value_or("<no text>");
}

// Whatever bytes the IDs hold, the text is one line per listed ID, each a quote,
// bytes that end no line and hold no quote, a quote and CR LF: no ID can add a
// line, or end its quotes early, for whoever reads the pasted text.
inline std::string LinesFault(const std::string& text, std::size_t ids) {
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            return "a last line without CR LF";
        }
        const std::string line = text.substr(start, end - start);
        if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
            return "line " + std::to_string(lines + 1) + " is not in quotes";
        }
        for (std::size_t i = 1; i + 1 < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            if (byte < 0x20 || byte == 0x7F || byte == '"' || byte == 0xFF) {
                return "line " + std::to_string(lines + 1) + " holds the byte " +
                       Printable(std::string(1, line[i]));
            }
        }
        ++lines;
        start = end + 2;
    }
    if (lines != ids) {
        return std::to_string(lines) + " lines for " + std::to_string(ids) + " IDs";
    }
    return {};
}

inline std::string CheckCopyIds(const std::uint8_t* data, std::size_t size) {
    const CopyIdsCase c = DecodeCopyIdsCase(data, size);
    const std::string joined = c.instanceId + std::string(1, '\0') + c.hardwareIds;
    if (ui::MultiStringToLines(joined) != model::MultiStringToLines(joined)) {
        return "MultiStringToLines(\"" + Printable(joined) + "\") gave \"" +
               Printable(ui::MultiStringToLines(joined)) + "\"";
    }
    const std::string expected = model::CopyIdsText(c.instanceId, c.hardwareIds);
    if (ui::CopyIdsText(c.instanceId, c.hardwareIds) != expected) {
        return "CopyIdsText(\"" + Printable(c.instanceId) + "\", \"" + Printable(c.hardwareIds) +
               "\") gave \"" + Printable(ui::CopyIdsText(c.instanceId, c.hardwareIds)) + "\"";
    }
    const std::string lines = LinesFault(ui::CopyIdsText(c.instanceId, c.hardwareIds),
                                         model::ListedIds(c.instanceId, c.hardwareIds).size());
    if (!lines.empty()) {
        return "CopyIdsText(\"" + Printable(c.instanceId) + "\", \"" + Printable(c.hardwareIds) +
               "\"): " + lines;
    }
    if (!c.throughWindow) {
        return {};
    }
    const std::string id = "USB\\" + c.instanceId;
    const std::optional<std::string> stored =
        c.hardwareIdsPresent ? std::optional(c.hardwareIds) : std::nullopt;
    const std::optional<std::string> copied = CopyThroughWindow(id, stored);
    if (!copied) {
        return {};
    }
    // The block holds the text and its closing NUL.
    const std::string expectedBlock =
        model::CopyIdsText(id, model::PropertyText(stored.value_or(std::string()))) +
        std::string(1, '\0');
    if (*copied != expectedBlock) {
        return "Copy IDs of \"" + Printable(id) + "\" with hardware IDs " +
               (stored ? "\"" + Printable(*stored) + "\"" : std::string("absent")) + " put \"" +
               Printable(*copied) + "\" on the clipboard, expected \"" + Printable(expectedBlock) +
               "\"";
    }
    return {};
}

}  // namespace fuzzcheck
