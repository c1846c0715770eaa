#include "config/Rate.h"

#include <algorithm>
#include <string>

#include "config/DeviceKey.h"
#include "platform/Platform.h"

namespace config {

namespace {

constexpr const char* kIntervalValue = "bInterval";
constexpr DWORD kIntervalSize = sizeof(std::uint32_t);

// The first table entry at or above the number; numbers above the table's end map
// to the slowest rate.
int IndexOfInterval(std::uint32_t interval) {
    const auto entry = std::find_if(RateTable.begin(), RateTable.end(),
                                    [&](std::uint32_t value) { return value >= interval; });
    return entry == RateTable.end() ? kRateCount - 1 : static_cast<int>(entry - RateTable.begin());
}

// Any 4-byte value counts, whatever its type; anything else is no usable number.
std::uint32_t QueryInterval(HKEY key) {
    BYTE bytes[kIntervalSize] = {};
    DWORD type = REG_NONE;
    DWORD size = kIntervalSize;
    if (plat::RegQueryValueExA(key, kIntervalValue, nullptr, &type, bytes, &size) !=
            ERROR_SUCCESS ||
        size != kIntervalSize) {
        return 0;
    }
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

StoredSetting QuerySetting(HKEY key) {
    std::string bytes(kIntervalSize, '\0');
    DWORD type = REG_NONE;
    DWORD size = kIntervalSize;
    const LSTATUS status = plat::RegQueryValueExA(key, kIntervalValue, nullptr, &type,
                                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        return {StoredSetting::State::Absent, {}};
    }
    if (status != ERROR_SUCCESS || size != kIntervalSize) {
        return {StoredSetting::State::Unknown, {}};
    }
    return {StoredSetting::State::Present, bytes};
}

}  // namespace

int ReadRateIndex(device::TDevice& device) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return 0;
    }
    return IndexOfInterval(QueryInterval(key.get()));
}

std::optional<int> ReadRateIndexToRead(device::TDevice& device) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV, KEY_READ);
    if (!key.valid()) {
        // A device without a driver has no driver key, so nothing is stored: "Default".
        // Any other failure (access denied above all) leaves the rate unknown.
        if (plat::GetLastError() == static_cast<DWORD>(ERROR_KEY_DOES_NOT_EXIST)) {
            return 0;
        }
        return std::nullopt;
    }
    return IndexOfInterval(QueryInterval(key.get()));
}

void WriteRateIndex(device::TDevice& device, std::uint32_t index, const BeforeWrite& beforeWrite) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return;
    }
    index = std::min<std::uint32_t>(index, kRateCount - 1);
    const std::uint32_t interval = RateTable[index];
    const std::string bytes = {
        static_cast<char>(interval & 0xFF), static_cast<char>((interval >> 8) & 0xFF),
        static_cast<char>((interval >> 16) & 0xFF), static_cast<char>((interval >> 24) & 0xFF)};
    if (beforeWrite) {
        const StoredSetting after =
            index == 0 ? StoredSetting{} : StoredSetting{StoredSetting::State::Present, bytes};
        if (!beforeWrite(PlannedChange{DeviceSetting::Rate, QuerySetting(key.get()), after})) {
            return;
        }
    }
    if (index == 0) {
        plat::RegDeleteValueA(key.get(), kIntervalValue);
        return;
    }
    plat::RegSetValueExA(key.get(), kIntervalValue, 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(bytes.data()), kIntervalSize);
}

StoredSetting ReadRateSetting(device::TDevice& device) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return {StoredSetting::State::Unknown, {}};
    }
    return QuerySetting(key.get());
}

bool WriteRateSetting(device::TDevice& device, const StoredSetting& setting) {
    if (setting.state == StoredSetting::State::Unknown ||
        (setting.state == StoredSetting::State::Present && setting.bytes.size() != kIntervalSize)) {
        return false;
    }
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return false;
    }
    if (setting.state == StoredSetting::State::Absent) {
        const LSTATUS status = plat::RegDeleteValueA(key.get(), kIntervalValue);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    return plat::RegSetValueExA(key.get(), kIntervalValue, 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(setting.bytes.data()),
                                kIntervalSize) == ERROR_SUCCESS;
}

}  // namespace config
