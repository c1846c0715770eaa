// A real child window that mirrors one portable control: a BUTTON check box or push
// button, a drop-down-list COMBOBOX, a STATIC label or a panel of our own class.
// When code changes the control, the window follows (ControlPeer); when the user
// acts on the window, its notification reaches the control's User... entry point.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/gui/Control.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

class ControlWindow : public gui::ControlPeer {
  public:
    // Creates the window for a control that is not a grid, in the parent window,
    // with the control's current state and the font.
    static std::unique_ptr<ControlWindow> Create(gui::TControl& control, HWND parent, int id,
                                                 HFONT font);
    // A peer with no window yet; Create and the grid attach one.
    explicit ControlWindow(gui::TControl& control) : control_(control) {}
    ~ControlWindow() override = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND Handle() const { return handle_; }
    gui::TControl& Control() const { return control_; }

    void Changed(gui::TControl& control, gui::ControlChange what) override;
    // A WM_COMMAND notification code sent by this window to its parent.
    virtual void Command(WORD code);
    // Uses the font from now on.
    virtual void SetFont(HFONT font);
    // A label that sizes itself takes the size of its caption in its font.
    void FitToText();

  protected:
    // Takes ownership of the created window.
    void Attach(HWND window);
    void ApplyBounds();

  private:
    void FillItems();
    void ShowItemIndex();
    int DropDownHeight() const;

    gui::TControl& control_;
    WindowHandle window_;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
};

// The window procedure of panels: their controls' notifications go on to the form.
LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
