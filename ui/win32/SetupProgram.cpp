#include "ui/win32/SetupProgram.h"

#include <exception>

#include "config/PlatformFamily.h"
#include "ui/Layout.h"
#include "ui/gui/ErrorReport.h"
#include "ui/win32/SetupWindow.h"
#include "ui/win32/Win32Application.h"

namespace win32 {

int RunSetupProgram(HINSTANCE instance, int showCommand, const AfterMessage& afterMessage) {
    try {
        Win32Application application(instance);
        application.SetTitle(ui::layout::kWindow.applicationTitle);
        config::InitPlatformFamily();
        SetupWindow window(application);
        window.Window().OnClosed = [] { ::PostQuitMessage(0); };
        window.Show(showCommand);
        RunMessageLoop(application.App(), window, afterMessage);
        return 0;
    } catch (const std::exception& error) {
        // The window could not be made: there is no application window to own this.
        ::MessageBoxA(nullptr, gui::ErrorReportText(error.what()).c_str(),
                      ui::layout::kWindow.applicationTitle, gui::kErrorReportStyle);
        return 1;
    }
}

}  // namespace win32
