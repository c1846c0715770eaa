// Owns an open registry key and closes it with RegCloseKey. (The test bed reads
// the registry directly, not through the platform seam.)
#pragma once

#include <string>

#include <windows.h>

#include "base/UniqueHandle.h"

namespace winbed {

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle key) {
        return key != nullptr && key != reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    static void Close(Handle key) { ::RegCloseKey(key); }
};

using RegKey = base::UniqueHandle<RegKeyTraits>;

// Opens a subkey; the result is empty when it does not exist.
inline RegKey OpenKey(HKEY parent, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(key);
}

}  // namespace winbed
