// A machine for the configuration tests: a composite mouse (the USB device and the
// HID interface below it), both with hardware and driver keys, and device objects
// for either, opened as the window's list would open them. The platform family
// is set for the bench's lifetime and put back to NT afterwards.
#pragma once

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

struct ConfigBench {
    static constexpr const char* kComposite = "USB\\VID_046D&PID_C08B\\6&1A2B3C&0&1";
    static constexpr const char* kInterface = "USB\\VID_046D&PID_C08B&MI_00\\7&2B3C4D&0&0000";
    // A HID device without a driver (no driver key) and without a hardware key.
    static constexpr const char* kBare = "USB\\VID_1234&PID_0001\\5&11&0&2";

    sim::Machine machine;
    sim::ScopedMachine use{machine};
    DevInfoSetHandle set{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    DevInfoSetHandle related{plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)};

    explicit ConfigBench(PlatformFamily family = PlatformFamily::NT) {
        sim::DeviceSpec composite;
        composite.instanceId = kComposite;
        composite.classGuid = sim::kClassUsb;
        composite.description = "USB Composite Device";
        composite.hardwareKey = sim::RegKeyValues{};
        composite.driverKey = sim::RegKeyValues{};
        const DEVINST top = machine.AddDevice(composite);

        sim::DeviceSpec hid = composite;
        hid.instanceId = kInterface;
        hid.classGuid = sim::kClassHid;
        hid.description = "USB Input Device";
        machine.AddDevice(hid, top);

        sim::DeviceSpec bare;
        bare.instanceId = kBare;
        bare.classGuid = sim::kClassHid;
        bare.description = "Bare HID";
        machine.AddDevice(bare);

        UseFamily(family);
        machine.ClearCalls();
    }
    ~ConfigBench() {
        machine.platformId = VER_PLATFORM_WIN32_NT;
        machine.versionQueryFails = false;
        InitPlatformFamily();
    }
    ConfigBench(const ConfigBench&) = delete;
    ConfigBench& operator=(const ConfigBench&) = delete;

    void UseFamily(PlatformFamily family) {
        machine.platformId =
            family == PlatformFamily::Win9x ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
        InitPlatformFamily();
    }

    // A device object in the bench's enumeration set, with the related set beside it.
    std::unique_ptr<TDevice> Open(const char* instanceId) {
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof(SP_DEVINFO_DATA);
        if (!plat::SetupDiOpenDeviceInfoA(set.get(), instanceId, nullptr, 0, &element)) {
            throw std::runtime_error(std::string("cannot open test device ") + instanceId);
        }
        auto device = std::make_unique<TDevice>(set.get(), element, related.get());
        machine.ClearCalls();
        return device;
    }

    // The arguments of every call of an operation, without the leading set or key
    // serial ("set=3 property=0x12" gives "property=0x12").
    std::vector<std::string> ArgsOf(const std::string& op) const {
        std::vector<std::string> args;
        for (const sim::Call& call : machine.CallsOf(op)) {
            const bool handleFirst = call.args.starts_with("set=") || call.args.starts_with("key=");
            const std::size_t blank = call.args.find(' ');
            args.push_back(handleFirst && blank != std::string::npos ? call.args.substr(blank + 1)
                                                                     : call.args);
        }
        return args;
    }

    // The value of a key, if present.
    std::optional<sim::RegValue> KeyValue(const char* instanceId, DWORD keyType, const char* name) {
        if (!machine.HasKey(instanceId, keyType)) {
            return std::nullopt;
        }
        const sim::RegKeyValues& values = machine.Key(instanceId, keyType);
        const auto found = values.find(name);
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }
};
