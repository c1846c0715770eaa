#include "ui/gui/CheckBox.h"

namespace gui {

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    Notify(ControlChange::Checked);
    if (OnClick) {
        OnClick(*this);
    }
}

void TCheckBox::UserClick() {
    if (Usable()) {
        Dispatch([this] { SetChecked(!checked_); });
    }
}

}  // namespace gui
