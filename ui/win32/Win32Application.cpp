#include "ui/win32/Win32Application.h"

#include <commctrl.h>

#include "base/Failure.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

void InitCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
}

}  // namespace

Win32Application::Win32Application(HINSTANCE instance) : instance_(instance) {
    InitCommonControls();
    RegisterWindowClasses(instance);
    // Never shown: it only owns what belongs to the application as a whole.
    window_ = WindowHandle(::CreateWindowExA(0, kApplicationClassName, "",
                                             WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                                             nullptr, nullptr, instance, nullptr));
    if (window_.get() == nullptr) {
        throw base::Failure("CreateWindowEx application");
    }
    desktop_ = std::make_unique<Win32Desktop>(window_.get());
    app_ = std::make_unique<gui::TApplication>(*desktop_);
}

void Win32Application::SetTitle(const std::string& title) {
    app_->Title = title;
    ::SetWindowTextA(window_.get(), title.c_str());
}

}  // namespace win32
