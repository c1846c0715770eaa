// The application on the real platform: the common controls initialised, our
// window classes registered, the hidden application window (which owns the error
// reports and the clipboard and carries the title), the desktop services and the
// portable application object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/gui/Application.h"
#include "ui/win32/Win32Desktop.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

class Win32Application {
  public:
    explicit Win32Application(HINSTANCE instance);
    Win32Application(const Win32Application&) = delete;
    Win32Application& operator=(const Win32Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    gui::TApplication& App() { return *app_; }
    Win32Desktop& Desktop() { return *desktop_; }
    HWND Handle() const { return window_.get(); }
    void SetTitle(const std::string& title);

  private:
    HINSTANCE instance_;
    WindowHandle window_;
    std::unique_ptr<Win32Desktop> desktop_;
    std::unique_ptr<gui::TApplication> app_;
};

}  // namespace win32
