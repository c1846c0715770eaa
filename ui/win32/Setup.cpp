// Setup: the program's entry. Initialises the application, gives it its title,
// creates the main window frmSetup, shows it and runs the message loop until the
// window is closed; the window is destroyed on the way out.
#include <windows.h>

#include <exception>

#include "config/PlatformFamily.h"
#include "ui/Layout.h"
#include "ui/gui/ErrorReport.h"
#include "ui/win32/SetupWindow.h"
#include "ui/win32/Win32Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        win32::Win32Application application(instance);
        application.SetTitle(layout::kWindow.applicationTitle);
        InitPlatformFamily();
        win32::SetupWindow window(application);
        window.Window().OnClosed = [] { ::PostQuitMessage(0); };
        window.Show(showCommand);
        win32::RunMessageLoop(application.App(), window.Window());
        return 0;
    } catch (const std::exception& error) {
        // The window could not be made: there is no application window to own this.
        ::MessageBoxA(nullptr, gui::ErrorReportText(error.what()).c_str(),
                      layout::kWindow.applicationTitle, gui::kErrorReportStyle);
        return 1;
    }
}
