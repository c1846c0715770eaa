// TButton: a push button. Its modal result only matters to a modal form.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class TButton : public TControl {
  public:
    using TControl::TControl;
    static constexpr ControlKind ClassKind = ControlKind::Button;
    ControlKind Kind() const override { return ClassKind; }

    int ModalResult = mrNone;
    bool Cancel = false;   // Esc presses it
    bool Default = false;  // Enter presses it wherever the focus is
    TNotifyEvent OnClick;

    // From code: runs the click handler; its exceptions reach the caller.
    void Click();
    // The user pressed it (mouse, Space, Enter with focus, Esc for the cancel
    // button). Does nothing while the button cannot be reached.
    void UserClick();
};

}  // namespace gui
