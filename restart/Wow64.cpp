#include "restart/Restart.h"

#include "platform/Platform.h"

namespace restart {

bool IsWow64() {
    // Looked up on every call: the 9x family and early NT versions lack the function.
    const FARPROC entry =
        plat::GetProcAddress(plat::GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    if (entry == nullptr) {
        return false;
    }
    // Through void(*)() because a FARPROC has no usable signature of its own.
    const auto isWow64Process =
        reinterpret_cast<plat::IsWow64ProcessFn>(reinterpret_cast<void (*)()>(entry));
    BOOL wow64 = 0;
    return isWow64Process(plat::GetCurrentProcess(), &wow64) != 0 && wow64 != 0;
}

}  // namespace restart
