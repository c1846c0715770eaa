// Owns one handle of the service control manager (the manager's or a service's) and
// closes it with CloseServiceHandle. A handle that failed to open (null) is never closed.
#pragma once

#include <utility>

#include "platform/Platform.h"

class ServiceHandle {
  public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (valid()) {
            plat::CloseServiceHandle(handle_);
        }
    }
    ServiceHandle(ServiceHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    ServiceHandle& operator=(ServiceHandle&&) = delete;
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    SC_HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }

  private:
    SC_HANDLE handle_;
};
