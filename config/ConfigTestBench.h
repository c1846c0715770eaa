// A machine for the configuration tests: a composite mouse (the USB device and its
// HID interface below it, both with hardware and driver keys) and a bare HID device
// with neither key. Devices are opened as the window's list opens them. The
// platform family is set for the bench's lifetime and put back to NT afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/PlatformFamily.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"

namespace config {

struct ConfigBench {
    static constexpr const char* kComposite = "USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1";
    static constexpr const char* kInterface = "USB\\VID_046D&PID_C08B&MI_00\\7&2B3C4D&0&0000";
    static constexpr const char* kBare = "USB\\VID_1234&PID_0001\\5&11&0&2";
    // The window that owns a restart's questions and the companion's start.
    static inline const HWND kOwner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

    sim::Machine machine;
    sim::ScopedMachine use{machine};
    device::DevInfoSetHandle set{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    device::DevInfoSetHandle related{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};

    explicit ConfigBench(PlatformFamily family = PlatformFamily::NT) {
        sim::DeviceSpec plan;
        plan.instanceId = kComposite;
        plan.classGuid = sim::kClassUsb;
        plan.description = "USB Composite Device";
        plan.hardwareKey = sim::RegKeyValues{};
        plan.driverKey = sim::RegKeyValues{};
        const DEVINST composite = machine.AddDevice(plan);
        plan.instanceId = kInterface;
        plan.classGuid = sim::kClassHid;
        machine.AddDevice(plan, composite);
        sim::DeviceSpec bare;
        bare.instanceId = kBare;
        bare.classGuid = sim::kClassHid;
        bare.description = "Bare HID";
        machine.AddDevice(bare);
        machine.platformId =
            family == PlatformFamily::Win9x ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
        InitPlatformFamily();
        machine.ClearCalls();
    }
    ~ConfigBench() {
        machine.platformId = VER_PLATFORM_WIN32_NT;
        machine.versionQueryFails = false;
        InitPlatformFamily();
    }

    std::unique_ptr<device::TDevice> Open(const char* instanceId) {
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof(SP_DEVINFO_DATA);
        if (!plat::SetupDiOpenDeviceInfoA(set.get(), instanceId, nullptr, 0, &element)) {
            throw std::runtime_error(std::string("cannot open test device ") + instanceId);
        }
        machine.ClearCalls();
        return std::make_unique<device::TDevice>(set.get(), element, related.get());
    }

    // The arguments of every call of an operation without the leading set or key
    // serial: "set=3 property=0x12" gives "property=0x12".
    std::vector<std::string> ArgsOf(const std::string& op) const {
        std::vector<std::string> args;
        for (const sim::Call& call : machine.CallsOf(op)) {
            const bool handle = call.args.starts_with("set=") || call.args.starts_with("key=");
            args.push_back(handle ? call.args.substr(call.args.find(' ') + 1) : call.args);
        }
        return args;
    }

    std::optional<sim::RegValue> KeyValue(const char* instanceId, DWORD keyType, const char* name) {
        if (!machine.HasKey(instanceId, keyType)) {
            return std::nullopt;
        }
        const auto found = machine.Key(instanceId, keyType).find(name);
        return found != machine.Key(instanceId, keyType).end() ? std::optional(found->second)
                                                               : std::nullopt;
    }
};

}  // namespace config
