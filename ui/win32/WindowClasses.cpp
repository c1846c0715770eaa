#include "ui/win32/WindowClasses.h"

#include <string>

#include "base/Failure.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/ConfirmWindow.h"
#include "ui/win32/ControlWindow.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/GridWindow.h"
#include "ui/win32/HealthWindow.h"
#include "ui/win32/MeasureWindow.h"
#include "ui/win32/RawInputSink.h"

namespace win32 {

namespace {

void Register(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
              HBRUSH background, HICON icon, HICON smallIcon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof(cls);
    cls.style = style;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hIcon = icon;
    cls.hIconSm = smallIcon;
    cls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    if (::RegisterClassExA(&cls) == 0) {
        throw base::Failure(std::string("RegisterClassEx ") + name);
    }
}

// The system's brush of a system colour, as a class background.
HBRUSH ColorBrush(int index) {
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1));
}

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
    // Loaded shared: the system frees the icons, not us.
    const auto icon = static_cast<HICON>(::LoadImageA(
        instance, MAKEINTRESOURCEA(IDI_SETUP_MAIN), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    const auto smallIcon = static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(IDI_SETUP_MAIN), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    Register(instance, kFormClassName, FormWindowProc, CS_DBLCLKS, ColorBrush(COLOR_BTNFACE), icon,
             smallIcon);
    Register(instance, kPanelClassName, PanelWindowProc, 0, ColorBrush(COLOR_BTNFACE), nullptr,
             nullptr);
    Register(instance, kGridClassName, GridWindowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
             nullptr, nullptr, nullptr);
    Register(instance, kApplicationClassName, ::DefWindowProcA, 0, nullptr, icon, smallIcon);
    Register(instance, kMeasureClassName, MeasureWindowProc, 0, nullptr, icon, smallIcon);
    Register(instance, kHealthClassName, HealthWindowProc, 0, ColorBrush(COLOR_BTNFACE), icon,
             smallIcon);
    Register(instance, kConfirmClassName, ConfirmWindowProc, 0, ColorBrush(COLOR_BTNFACE), icon,
             smallIcon);
    Register(instance, kRawInputClassName, RawInputSinkProc, 0, nullptr, nullptr, nullptr);
}

}  // namespace win32
