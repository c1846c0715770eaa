#include "ui/win32/Win32Desktop.h"

#include "ui/win32/DeviceContexts.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/TaskWindowsDisabled.h"

namespace win32 {

int Win32Desktop::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                              UINT type) {
    std::optional<TaskWindowsDisabled> modal;
    if (owner != nullptr && owner == applicationWindow_) {
        modal.emplace();
    }
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int Win32Desktop::ScreenPixelsPerInch() {
    WindowDC screen(nullptr);
    return screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

int Win32Desktop::TextHeight(const gui::TFont& font) {
    const FontHandle handle = CreateWindowFont(font);
    return static_cast<int>(ScreenTextExtent(handle.get(), "0").cy);
}

std::string Win32Desktop::CommandLine() {
    if (commandLine_) {
        return *commandLine_;
    }
    const char* line = ::GetCommandLineA();
    return line != nullptr ? line : "";
}

}  // namespace win32
