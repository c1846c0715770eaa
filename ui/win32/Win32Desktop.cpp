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

void Win32Desktop::WaitModally(const WaitWork& work) {
    // The windows are disabled only once messages arrive, so a wait that never pumps
    // (an in-process restart) leaves them as they are.
    std::optional<TaskWindowsDisabled> modal;
    std::optional<WPARAM> quit;
    work([&] {
        if (!modal) {
            modal.emplace();
        }
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = message.wParam;  // for the main loop, once the wait is over
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    });
    modal.reset();
    if (quit) {
        ::PostQuitMessage(static_cast<int>(*quit));
    }
}

std::string Win32Desktop::CommandLine() {
    if (commandLine_) {
        return *commandLine_;
    }
    const char* line = ::GetCommandLineA();
    return line != nullptr ? line : "";
}

}  // namespace win32
