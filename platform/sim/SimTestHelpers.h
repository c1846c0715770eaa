// Small helpers shared by the simulated platform's own tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimText.h"

namespace simtest {

// The device most of the simulated platform's own tests work on.
inline constexpr const char* kMouse = "USB\\VID_1111&PID_0001\\5&1";

inline sim::DeviceSpec Plan(std::string id, const GUID& classGuid,
                            std::optional<std::string> description = std::nullopt) {
    sim::DeviceSpec plan;
    plan.instanceId = std::move(id);
    plan.classGuid = classGuid;
    plan.description = std::move(description);
    return plan;
}

inline SP_DEVINFO_DATA Blank() {
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(SP_DEVINFO_DATA);
    return data;
}

inline std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& data) {
    char buffer[512] = {};
    DWORD required = 0;
    if (!plat::SetupDiGetDeviceInstanceIdA(set, &data, buffer, sizeof buffer, &required)) {
        return "<failed>";
    }
    return buffer;
}

// The instance IDs of a set's elements in enumeration order.
inline std::vector<std::string> Members(HDEVINFO set) {
    std::vector<std::string> ids;
    SP_DEVINFO_DATA data = Blank();
    for (DWORD i = 0; plat::SetupDiEnumDeviceInfo(set, i, &data); ++i) {
        ids.push_back(InstanceId(set, data));
    }
    return ids;
}

// Opens a device by instance ID into a new set of any class; the caller destroys it.
inline HDEVINFO OpenAlone(const std::string& id, SP_DEVINFO_DATA& data) {
    HDEVINFO set = plat::SetupDiCreateDeviceInfoList(nullptr, nullptr);
    data = Blank();
    plat::SetupDiOpenDeviceInfoA(set, id.c_str(), nullptr, 0, &data);
    return set;
}

inline std::string Bytes(const char* text, std::size_t size) {
    return std::string(text, size);
}

}  // namespace simtest
