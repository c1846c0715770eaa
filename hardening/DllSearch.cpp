#include "hardening/DllSearch.h"

#include "platform/Platform.h"

namespace hardening {

void RestrictDllSearch() {
    const HMODULE kernel32 = plat::GetModuleHandleA("kernel32.dll");
    const FARPROC proc =
        kernel32 != nullptr ? plat::GetProcAddress(kernel32, "SetDefaultDllDirectories") : nullptr;
    if (proc != nullptr) {
        const auto setDefault =
            reinterpret_cast<plat::SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(proc));
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    plat::SetDllDirectoryA("");
}

}  // namespace hardening
