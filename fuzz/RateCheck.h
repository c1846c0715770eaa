// Stored bInterval data of any type and length through ReadRateIndex, checked
// against the mapping table, then a write of any index and the read back.
//
// Input: two control bytes, then the stored bytes.
//   byte 0, bit 0     no stored value
//   byte 0, bit 1     the device has no driver key
//   byte 0, bits 2-4  the stored value's registry type
//   byte 1            the index written afterwards (0xF8 and up: far above 6)
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "config/Rate.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "fuzz/ByteReader.h"
#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"

namespace fuzzcheck {

// The rate index a stored number shows as: the table value at or above it.
inline int ExpectedRateIndex(std::uint32_t interval) {
    if (interval == 0) {
        return 0;
    }
    if (interval <= 2) {
        return static_cast<int>(interval);
    }
    if (interval <= 4) {
        return 3;
    }
    if (interval <= 8) {
        return 4;
    }
    if (interval <= 16) {
        return 5;
    }
    return 6;
}

// Any value of exactly four bytes is a little-endian number; anything else is none.
inline std::uint32_t StoredInterval(const std::optional<sim::RegValue>& value) {
    if (!value || value->data.size() != 4) {
        return 0;
    }
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) {
        number =
            number * 256 + static_cast<unsigned char>(value->data[static_cast<std::size_t>(i)]);
    }
    return number;
}

struct RateCase {
    bool present = true;
    bool keyMissing = false;
    DWORD type = REG_DWORD;
    std::uint32_t writeIndex = 0;
    std::string bytes;

    std::string Describe() const {
        return std::string(keyMissing ? "no driver key" : "driver key") +
               (present ? ", stored type " + std::to_string(type) + " \"" + Printable(bytes) + "\""
                        : ", nothing stored");
    }
};

inline RateCase DecodeRateCase(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<DWORD, 8> kTypes = {
        REG_DWORD,    REG_BINARY,    REG_SZ,    REG_NONE,
        REG_MULTI_SZ, REG_EXPAND_SZ, REG_DWORD, 11 /* QWORD */};
    ByteReader in(data, size);
    const std::uint8_t control = in.Byte();
    RateCase c;
    c.present = (control & 1) == 0;
    c.keyMissing = (control & 2) != 0;
    c.type = kTypes[(control >> 2) & 7];
    const std::uint8_t index = in.Byte();
    c.writeIndex = index < 0xF8 ? index : 0xFFFFFFFFu - (0xFFu - index);
    c.bytes = in.Rest();
    return c;
}

class RateBed {
  public:
    static constexpr const char* kId = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";

    explicit RateBed(const RateCase& c) {
        sim::DeviceSpec plan;
        plan.instanceId = kId;
        plan.classGuid = sim::kClassHid;
        if (!c.keyMissing) {
            plan.driverKey = sim::RegKeyValues{};
            if (c.present) {
                (*plan.driverKey)["bInterval"] = sim::RegValue{c.type, c.bytes};
            }
        }
        machine_.AddDevice(plan);
        set_ = device::DevInfoSetHandle(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof(SP_DEVINFO_DATA);
        plat::SetupDiOpenDeviceInfoA(set_.get(), kId, nullptr, 0, &element);
        device_ = std::make_unique<device::TDevice>(set_.get(), element, set_.get());
        machine_.ClearCalls();
    }

    device::TDevice& Device() { return *device_; }
    bool HasKey() const { return machine_.HasKey(kId, DIREG_DRV); }
    std::optional<sim::RegValue> Stored() {
        if (!HasKey()) {
            return std::nullopt;
        }
        const sim::RegKeyValues& values = machine_.Key(kId, DIREG_DRV);
        const auto found = values.find("bInterval");
        return found != values.end() ? std::optional(found->second) : std::nullopt;
    }
    std::size_t Writes() const {
        return machine_.CountCalls("RegSetValueExA") + machine_.CountCalls("RegDeleteValueA");
    }
    std::size_t OpenKeys() const { return machine_.OpenKeyCount(); }

  private:
    sim::Machine machine_;
    sim::ScopedMachine use_{machine_};
    device::DevInfoSetHandle set_;
    std::unique_ptr<device::TDevice> device_;
};

inline std::string CheckRate(const std::uint8_t* data, std::size_t size) {
    const RateCase c = DecodeRateCase(data, size);
    RateBed bed(c);
    const std::optional<sim::RegValue> before = bed.Stored();
    const int index = config::ReadRateIndex(bed.Device());
    const int expected = c.keyMissing ? 0 : ExpectedRateIndex(StoredInterval(before));
    if (index != expected) {
        return "ReadRateIndex gave " + std::to_string(index) + ", expected " +
               std::to_string(expected) + " for " + c.Describe();
    }
    const std::optional<sim::RegValue> after = bed.Stored();
    if (bed.Writes() != 0 || after.has_value() != before.has_value() ||
        (after && (after->type != before->type || after->data != before->data))) {
        return "ReadRateIndex changed the stored value for " + c.Describe();
    }

    config::WriteRateIndex(bed.Device(), c.writeIndex);
    const std::string what =
        "WriteRateIndex(" + std::to_string(c.writeIndex) + ") on " + c.Describe();
    if (c.keyMissing) {
        if (bed.HasKey() || bed.Writes() != 0) {
            return what + " wrote or created a key";
        }
        return {};
    }
    const std::uint32_t clamped = c.writeIndex > 6 ? 6 : c.writeIndex;
    const std::optional<sim::RegValue> written = bed.Stored();
    if (clamped == 0 && written) {
        return what + " left a value";
    }
    if (clamped != 0) {
        const std::uint32_t interval = 1u << (clamped - 1);
        if (!written || written->type != REG_DWORD || written->data.size() != 4 ||
            StoredInterval(written) != interval) {
            return what + " did not store " + std::to_string(interval) + " as a REG_DWORD";
        }
    }
    if (config::ReadRateIndex(bed.Device()) != static_cast<int>(clamped)) {
        return what + " does not read back as " + std::to_string(clamped);
    }
    if (bed.OpenKeys() != 0) {
        return what + " left a key open";
    }
    return {};
}

}  // namespace fuzzcheck
