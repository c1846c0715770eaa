// The handle values a simulated machine hands out. They are distinct per kind and
// never reused, so a destroyed set or a closed key can never alias a live one.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace sim {

inline constexpr std::uintptr_t kSetHandleBase = 0x00A10000;
inline constexpr std::uintptr_t kKeyHandleBase = 0x00B20000;
inline constexpr std::uintptr_t kInfHandleBase = 0x00C30000;
inline constexpr std::uintptr_t kHandleStep = 0x10;
inline constexpr std::uintptr_t kKernel32Handle = 0x7C800000;
inline constexpr std::uintptr_t kProgramModuleHandle = 0x00400000;

inline std::uintptr_t HandleValue(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}
template <typename Handle>
Handle MakeHandle(std::uintptr_t value) {
    return reinterpret_cast<Handle>(value);
}

}  // namespace sim
