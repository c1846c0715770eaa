// The owner of a window: destroys it (and its child windows) when it goes, unless
// the platform destroyed it first.
#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

class WindowHandle {
  public:
    WindowHandle() = default;
    explicit WindowHandle(HWND window) : window_(window) {}
    ~WindowHandle() { Reset(); }
    WindowHandle(WindowHandle&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    WindowHandle& operator=(WindowHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
        }
        return *this;
    }
    WindowHandle(const WindowHandle&) = delete;
    WindowHandle& operator=(const WindowHandle&) = delete;

    HWND get() const { return window_; }
    void Reset() {
        if (window_ != nullptr && ::IsWindow(window_)) {
            ::DestroyWindow(window_);
        }
        window_ = nullptr;
    }

  private:
    HWND window_ = nullptr;
};

}  // namespace win32
