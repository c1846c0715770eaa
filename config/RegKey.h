// Owns one open registry key and closes it with RegCloseKey. A key that failed to
// open (INVALID_HANDLE_VALUE as SetupDiOpenDevRegKey reports it, or null) is held
// as invalid and never closed.
#pragma once

#include "base/UniqueHandle.h"
#include "platform/Platform.h"

namespace config {

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle key) {
        return key != nullptr && key != reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    static void Close(Handle key) { plat::RegCloseKey(key); }
};

using RegKey = base::UniqueHandle<RegKeyTraits>;

}  // namespace config
