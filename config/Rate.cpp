#include "config/Rate.h"

#include <algorithm>

#include "config/DeviceKey.h"
#include "platform/Platform.h"

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

}  // namespace

int ReadRateIndex(TDevice& device) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return 0;
    }
    return IndexOfInterval(QueryInterval(key.get()));
}

void WriteRateIndex(TDevice& device, std::uint32_t index) {
    const RegKey key = OpenDeviceKey(device, DIREG_DRV);
    if (!key.valid()) {
        return;
    }
    index = std::min<std::uint32_t>(index, kRateCount - 1);
    if (index == 0) {
        plat::RegDeleteValueA(key.get(), kIntervalValue);
        return;
    }
    const std::uint32_t interval = RateTable[index];
    const BYTE bytes[kIntervalSize] = {
        static_cast<BYTE>(interval), static_cast<BYTE>(interval >> 8),
        static_cast<BYTE>(interval >> 16), static_cast<BYTE>(interval >> 24)};
    plat::RegSetValueExA(key.get(), kIntervalValue, 0, REG_DWORD, bytes, kIntervalSize);
}
