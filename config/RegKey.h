// Owns one open registry key and closes it with RegCloseKey. A key that failed to
// open (INVALID_HANDLE_VALUE as SetupDiOpenDevRegKey reports it, or null) is held
// as invalid and never closed.
#pragma once

#include <utility>

#include "platform/WinTypes.h"

class RegKey {
  public:
    RegKey() = default;
    explicit RegKey(HKEY key);
    ~RegKey();
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY get() const { return key_; }
    bool valid() const { return key_ != nullptr; }
    void reset();

  private:
    HKEY key_ = nullptr;
};
