// TCheckBox: a two-state check box. Its click handler runs after every change of
// the checked state, whether the user made it or code did, and never when the box
// is set to the state it already has; when the handler runs the box already shows
// the new state.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

class TCheckBox : public TControl {
  public:
    using TControl::TControl;
    static constexpr ControlKind ClassKind = ControlKind::CheckBox;
    ControlKind Kind() const override { return ClassKind; }

    bool Checked() const { return checked_; }
    // From code: the handler's exceptions reach the caller.
    void SetChecked(bool checked);
    // Sets the state without running the handler; only for loading the layout.
    void LoadChecked(bool checked) { checked_ = checked; }

    TNotifyEvent OnClick;

    // The user toggled it (mouse or Space). The realisation must not toggle the
    // real box itself: it mirrors the state the peer is told about.
    void UserClick();

  private:
    bool checked_ = false;
};

}  // namespace gui
