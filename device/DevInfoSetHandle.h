// Owns one device information set and destroys it with SetupDiDestroyDeviceInfoList.
#pragma once

#include <utility>

#include "platform/Platform.h"

class DevInfoSetHandle {
  public:
    DevInfoSetHandle() = default;
    explicit DevInfoSetHandle(HDEVINFO set) : set_(set) {}
    ~DevInfoSetHandle() { reset(); }
    DevInfoSetHandle(DevInfoSetHandle&& other) noexcept
        : set_(std::exchange(other.set_, INVALID_HANDLE_VALUE)) {}
    DevInfoSetHandle& operator=(DevInfoSetHandle&& other) noexcept {
        if (this != &other) {
            reset();
            set_ = std::exchange(other.set_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    DevInfoSetHandle(const DevInfoSetHandle&) = delete;
    DevInfoSetHandle& operator=(const DevInfoSetHandle&) = delete;

    HDEVINFO get() const { return set_; }
    bool valid() const { return set_ != INVALID_HANDLE_VALUE; }
    void reset() {
        if (valid()) {
            plat::SetupDiDestroyDeviceInfoList(std::exchange(set_, INVALID_HANDLE_VALUE));
        }
    }

  private:
    HDEVINFO set_ = INVALID_HANDLE_VALUE;
};
