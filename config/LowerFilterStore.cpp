#include "config/LowerFilterStore.h"

#include <algorithm>
#include <utility>

#include "config/DeviceKey.h"
#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "device/Device.h"
#include "platform/Platform.h"

namespace config {

namespace {

constexpr const char* kLowerFiltersValue = "LowerFilters";

BYTE* Bytes(std::string& buffer) {
    return reinterpret_cast<BYTE*>(buffer.data());
}

const BYTE* Bytes(const std::string& data) {
    return reinterpret_cast<const BYTE*>(data.data());
}

StoredList Received(std::string buffer, DWORD count) {
    buffer.resize(std::min<std::size_t>(count, buffer.size()));
    return {StoredListState::Found, std::move(buffer)};
}

LSTATUS QueryValue(HKEY key, std::string& buffer, DWORD& size) {
    DWORD type = REG_NONE;
    size = static_cast<DWORD>(buffer.size());
    return plat::RegQueryValueExA(key, kLowerFiltersValue, nullptr, &type, Bytes(buffer), &size);
}

StoredList ReadHardwareKeyValue(device::TDevice& device) {
    const RegKey key = OpenDeviceKey(device, DIREG_DEV);
    if (!key.valid()) {
        return {StoredListState::Unreadable, {}};
    }
    std::string buffer(kLowerFiltersReadBuffer, '\0');
    DWORD size = 0;
    LSTATUS status = QueryValue(key.get(), buffer, size);
    if (status == ERROR_SUCCESS) {
        return Received(std::move(buffer), size);
    }
    if (status == ERROR_FILE_NOT_FOUND) {
        return {StoredListState::Absent, {}};
    }
    if (status != ERROR_MORE_DATA || size <= kLowerFiltersReadBuffer) {
        return {StoredListState::Unreadable, {}};
    }
    buffer.assign(size, '\0');
    status = QueryValue(key.get(), buffer, size);
    if (status == ERROR_SUCCESS) {
        return Received(std::move(buffer), size);
    }
    return {StoredListState::Unreadable, {}};
}

bool QueryProperty(device::TDevice& device, std::string& buffer, DWORD& required) {
    DWORD type = REG_NONE;
    required = 0;
    return plat::SetupDiGetDeviceRegistryPropertyA(
               device.DevInfoSet, &device.DevInfoData, SPDRP_LOWERFILTERS, &type, Bytes(buffer),
               static_cast<DWORD>(buffer.size()), &required) != 0;
}

StoredList ReadProperty(device::TDevice& device) {
    std::string buffer(kLowerFiltersReadBuffer, '\0');
    DWORD required = 0;
    if (QueryProperty(device, buffer, required)) {
        return Received(std::move(buffer), required);
    }
    // Only the last-error code tells an absent list from one that could not be read.
    const DWORD error = plat::GetLastError();
    if (error == ERROR_INVALID_DATA) {
        return {StoredListState::Absent, {}};
    }
    if (error != ERROR_INSUFFICIENT_BUFFER || required <= kLowerFiltersReadBuffer) {
        return {StoredListState::Unreadable, {}};
    }
    buffer.assign(required, '\0');
    if (QueryProperty(device, buffer, required)) {
        return Received(std::move(buffer), required);
    }
    return {StoredListState::Unreadable, {}};
}

void WriteHardwareKeyValue(device::TDevice& device, const std::string& data) {
    const RegKey key = OpenDeviceKey(device, DIREG_DEV);
    if (!key.valid()) {
        return;
    }
    if (data.empty()) {
        plat::RegDeleteValueA(key.get(), kLowerFiltersValue);
    } else {
        plat::RegSetValueExA(key.get(), kLowerFiltersValue, 0, REG_MULTI_SZ, Bytes(data),
                             static_cast<DWORD>(data.size()));
    }
}

void WriteProperty(device::TDevice& device, const std::string& data) {
    plat::SetupDiSetDeviceRegistryPropertyA(
        device.DevInfoSet, &device.DevInfoData, SPDRP_LOWERFILTERS,
        data.empty() ? nullptr : Bytes(data), static_cast<DWORD>(data.size()));
}

}  // namespace

StoredList ReadStoredLowerFilters(device::TDevice& device) {
    return CurrentPlatformFamily() == PlatformFamily::Win9x ? ReadHardwareKeyValue(device)
                                                            : ReadProperty(device);
}

void WriteStoredLowerFilters(device::TDevice& device, const std::string& data) {
    if (CurrentPlatformFamily() == PlatformFamily::Win9x) {
        WriteHardwareKeyValue(device, data);
    } else {
        WriteProperty(device, data);
    }
}

}  // namespace config
