// Stored lower-filter bytes of any length and content, on either platform family,
// through HasFilter, SetFilter(on) and SetFilter(off). The answer and the stored
// list afterwards must be what the model says, and nothing may be written when
// nothing changes.
//
// Input: one control byte, then the stored bytes.
//   bit 0     9x family (the hardware key's "LowerFilters"), else NT (the property)
//   bit 1     no stored list at all
//   bit 2     9x family: the device has no hardware key
//   bits 3-5  the stored value's registry type
//   bit 6     NT family: every read of the property fails with another code than
//             ERROR_INVALID_DATA, so the list must be left as it is
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "fuzz/ByteReader.h"
#include "fuzz/FilterListModel.h"
#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"

namespace fuzzcheck {

struct FilterCase {
    bool win9x = false;
    bool present = true;
    bool keyMissing = false;
    bool readFails = false;
    DWORD type = REG_MULTI_SZ;
    std::string bytes;

    model::Stored Before() const {
        return present && !keyMissing ? model::Stored(bytes) : std::nullopt;
    }
    std::string FilterName() const { return win9x ? "quorvin.sys" : "quorvin"; }
    std::string Describe() const {
        return std::string(win9x ? "9x" : "NT") + (keyMissing ? ", no hardware key" : "") +
               (readFails ? ", reads fail" : "") +
               (present ? ", stored type " + std::to_string(type) + " \"" + Printable(bytes) + "\""
                        : ", nothing stored");
    }
};

inline FilterCase DecodeFilterCase(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<DWORD, 8> kTypes = {REG_MULTI_SZ, REG_SZ,        REG_BINARY,
                                                    REG_NONE,     REG_EXPAND_SZ, REG_DWORD,
                                                    REG_MULTI_SZ, 0x12345};
    ByteReader in(data, size);
    const std::uint8_t control = in.Byte();
    FilterCase c;
    c.win9x = (control & 1) != 0;
    c.present = (control & 2) == 0;
    c.keyMissing = c.win9x && (control & 4) != 0;
    c.readFails = !c.win9x && (control & 0x40) != 0;
    c.type = kTypes[(control >> 3) & 7];
    c.bytes = in.Rest();
    return c;
}

// One device holding the case's stored list, opened as the window's list would
// open it, with the case's platform family in force while the bed lives.
class FilterBed {
  public:
    static constexpr const char* kId = "USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000";

    explicit FilterBed(const FilterCase& c) : win9x_(c.win9x) {
        sim::DeviceSpec plan;
        plan.instanceId = kId;
        plan.classGuid = sim::kClassHid;
        plan.description = "USB Input Device";
        if (!c.keyMissing) {
            plan.hardwareKey = sim::RegKeyValues{};
        }
        machine_.AddDevice(plan);
        if (c.present && c.win9x && !c.keyMissing) {
            machine_.Key(kId, DIREG_DEV)["LowerFilters"] = sim::RegValue{c.type, c.bytes};
        } else if (c.present && !c.win9x) {
            machine_.SetProperty(kId, SPDRP_LOWERFILTERS, c.type, c.bytes);
        }
        if (c.readFails) {
            machine_.AddFault(sim::Fault{"SetupDiGetDeviceRegistryPropertyA", 0, {}});
        }
        machine_.platformId = c.win9x ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
        set_ = device::DevInfoSetHandle(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof(SP_DEVINFO_DATA);
        plat::SetupDiOpenDeviceInfoA(set_.get(), kId, nullptr, 0, &element);
        device_ = std::make_unique<device::TDevice>(set_.get(), element, set_.get());
        machine_.ClearCalls();
    }
    ~FilterBed() {
        machine_.platformId = VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
    }
    FilterBed(const FilterBed&) = delete;
    FilterBed& operator=(const FilterBed&) = delete;

    device::TDevice& Device() { return *device_; }

    std::optional<sim::RegValue> StoredValue() {
        if (!win9x_) {
            return machine_.Property(kId, SPDRP_LOWERFILTERS);
        }
        if (!machine_.HasKey(kId, DIREG_DEV)) {
            return std::nullopt;
        }
        const sim::RegKeyValues& values = machine_.Key(kId, DIREG_DEV);
        const auto found = values.find("LowerFilters");
        return found != values.end() ? std::optional(found->second) : std::nullopt;
    }
    model::Stored Stored() {
        const auto value = StoredValue();
        return value ? model::Stored(value->data) : std::nullopt;
    }
    std::size_t Writes() const {
        return machine_.CountCalls("RegSetValueExA") + machine_.CountCalls("RegDeleteValueA") +
               machine_.CountCalls("SetupDiSetDeviceRegistryPropertyA");
    }
    std::size_t OpenKeys() const { return machine_.OpenKeyCount(); }

  private:
    bool win9x_;
    sim::Machine machine_;
    sim::ScopedMachine use_{machine_};
    device::DevInfoSetHandle set_;
    std::unique_ptr<device::TDevice> device_;
};

inline std::string ShowStored(const model::Stored& stored) {
    return stored ? "\"" + Printable(*stored) + "\"" : "nothing";
}

inline model::Entries WithoutFilter(const model::Entries& entries, const std::string& name) {
    model::Entries others;
    for (const std::string& entry : entries) {
        if (!model::IsFilter(entry, name)) {
            others.push_back(entry);
        }
    }
    while (!others.empty() && others.back().empty()) {
        others.pop_back();
    }
    return others;
}

// The promises of the filter commands, each with its own message, beyond the exact
// comparison with the model.
inline std::string CheckSetFilterInvariants(const FilterCase& c, bool on,
                                            const model::Stored& after) {
    const std::string name = c.FilterName();
    const model::Entries before = model::ReadEntries(c.Before());
    const model::Entries now = model::ReadEntries(after);
    const std::size_t hadFilter = model::CountFilters(before, name);
    if (on && model::CountFilters(now, name) != (hadFilter > 0 ? hadFilter : 1)) {
        return "the filter is not present exactly once after adding it";
    }
    if (!on && model::CountFilters(now, name) != 0) {
        return "the filter is still present after removing it";
    }
    if (WithoutFilter(now, name) != WithoutFilter(before, name)) {
        return "another entry was lost, changed or moved";
    }
    if (after && after != c.Before()) {
        const std::string& bytes = *after;
        const std::size_t n = bytes.size();
        const bool wellFormed =
            n >= 3 && bytes[n - 1] == '\0' && bytes[n - 2] == '\0' && bytes[n - 3] != '\0';
        if (!wellFormed) {
            return "the written list is not a multi-string whose last entry is non-empty";
        }
    }
    return {};
}

inline std::string CheckLowerFilters(const std::uint8_t* data, std::size_t size) {
    const FilterCase c = DecodeFilterCase(data, size);
    const std::string name = c.FilterName();
    const model::Stored before = c.Before();
    {
        FilterBed bed(c);
        const bool has = config::HasFilter(bed.Device());
        const bool expected = !c.keyMissing && !c.readFails &&
                              model::CountFilters(model::ReadEntries(before), name) > 0;
        if (has != expected) {
            return "HasFilter answered " + std::string(has ? "true" : "false") + " for " +
                   c.Describe();
        }
        if (bed.Writes() != 0 || bed.Stored() != before) {
            return "HasFilter wrote to " + c.Describe();
        }
        if (bed.OpenKeys() != 0) {
            return "HasFilter left a key open for " + c.Describe();
        }
    }
    for (const bool on : {true, false}) {
        FilterBed bed(c);
        config::SetFilter(bed.Device(), on);
        const std::string what =
            std::string("SetFilter(") + (on ? "on" : "off") + ") on " + c.Describe();
        const model::Stored expected =
            c.keyMissing || c.readFails ? before : model::AfterSetFilter(before, on, name);
        const model::Stored after = bed.Stored();
        if (after != expected) {
            return what + " stored " + ShowStored(after) + ", expected " + ShowStored(expected);
        }
        const std::size_t writes = expected != before ? 1 : 0;
        if (bed.Writes() != writes) {
            return what + " made " + std::to_string(bed.Writes()) + " writes, expected " +
                   std::to_string(writes);
        }
        if (writes != 0 && after && bed.StoredValue()->type != REG_MULTI_SZ) {
            return what + " stored a type other than REG_MULTI_SZ";
        }
        if (!c.keyMissing && !c.readFails) {
            if (const std::string broken = CheckSetFilterInvariants(c, on, after);
                !broken.empty()) {
                return what + ": " + broken;
            }
        }
        if (bed.OpenKeys() != 0) {
            return what + " left a key open";
        }
    }
    return {};
}

}  // namespace fuzzcheck
