// The fixture of the GUI suite: a fresh demo machine made current, the message-box
// answers, the application on the real platform and the setup window on top, with
// helpers to pump messages, click, press keys and read back windows and pixels.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "MessageBoxAnswers.h"
#include "platform/sim/SimMachine.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/SetupWindow.h"
#include "ui/win32/Win32Application.h"

namespace gui_test {

// A copy of a window's client pixels in a bitmap of our own.
class WindowImage {
  public:
    explicit WindowImage(HWND window);
    COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }

  private:
    win32::WindowDC screen_;
    win32::MemoryDC dc_;
    win32::BitmapHandle bitmap_;
    std::optional<win32::SelectedObject> selected_;
};

// Instance IDs of the demo machine that the tests act on.
inline const std::string kCompositeMouse = "USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000";
inline const std::string kComposite = "USB\\VID_1A2C&PID_4C5E\\5&3B1D2A0&0&1";
inline const std::string kPlainMouse = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
inline const std::string kHubMouse = "USB\\VID_2F1B&PID_0A31\\6&4D5E6F7&0&1";
inline const std::string kRootHub = "USB\\ROOT_HUB30\\4&2E7A3C1D&0&0";
// The plain mouse's HID collection, whose reports the raw-input tests send.
inline const char* const kPlainMouseCollection = "HID\\VID_0E8F&PID_0021\\6&1C2D3E4F&0&0000";

class GuiTest : public ::testing::Test {
  protected:
    GuiTest();
    ~GuiTest() override;

    // Creates the window with the arguments after the program name; shows it unless
    // told otherwise.
    void Open(const std::string& arguments = "", bool show = true);
    void Show();

    ui::TfrmSetup& Form() { return window_->Form(); }
    HWND Main() const { return window_->Handle(); }
    HWND Handle(const gui::TControl& control) const { return window_->ControlHandle(control); }
    HWND Grid() const;

    // Dispatches every pending message the way the program's loop does.
    void Pump();
    void Click(const gui::TControl& control);
    // A press of the key on the window, through the program's dialog keys.
    void Key(HWND window, WPARAM key);
    void ClickCell(int col, int row);
    // Lists follow the sorted order of instance IDs, so a test finds its device's
    // place rather than counting on it. The index in the device list, or -1.
    int IndexOf(const std::string& instanceId);
    // The grid row that lists the device, or -1.
    int RowOf(const std::string& instanceId);
    // Clicks the first cell of the device's row, as a user picks a device.
    void SelectDevice(const std::string& instanceId);
    // The grid's client pixel once every pending paint is done.
    COLORREF GridPixel(int x, int y);
    // The grid's client area as painted now, for reading many pixels at once.
    std::unique_ptr<WindowImage> CaptureGrid();
    bool Checked(const gui::TControl& box) const;
    int ComboSelection() const;
    std::string ClipboardText() const;
    std::string WindowText(HWND window) const;
    // A window's rectangle relative to its parent's client area.
    RECT RectInParent(HWND window) const;

    sim::Machine machine_;
    sim::ScopedMachine useMachine_{machine_};
    MessageBoxAnswers boxes_;
    win32::Win32Application application_;
    std::unique_ptr<win32::SetupWindow> window_;
};

}  // namespace gui_test
