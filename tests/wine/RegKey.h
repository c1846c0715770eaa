// Owns an open registry key and closes it with RegCloseKey. (The test bed reads
// the registry directly, not through the platform seam.)
#pragma once

#include <string>
#include <utility>

#include <windows.h>

namespace winbed {

class RegKey {
  public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { reset(); }
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens a subkey; the result is empty when it does not exist.
    static RegKey Open(HKEY parent, const std::string& path, REGSAM access) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
            return RegKey();
        }
        return RegKey(key);
    }

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void reset() {
        if (key_ != nullptr && key_ != INVALID_HANDLE_VALUE) {
            ::RegCloseKey(std::exchange(key_, nullptr));
        }
        key_ = nullptr;
    }

  private:
    HKEY key_ = nullptr;
};

}  // namespace winbed
