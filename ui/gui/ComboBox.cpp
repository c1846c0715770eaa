#include "ui/gui/ComboBox.h"

namespace gui {

void TComboBox::AddItem(const std::string& item) {
    items_.push_back(item);
    Notify(ControlChange::Items);
}

void TComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        index = -1;
    }
    if (index == itemIndex_) {
        return;
    }
    itemIndex_ = index;
    Notify(ControlChange::ItemIndex);
}

void TComboBox::UserSelect(int index) {
    if (!Usable() || index < 0 || index >= static_cast<int>(items_.size()) || index == itemIndex_) {
        return;
    }
    Dispatch([this, index] {
        itemIndex_ = index;
        Notify(ControlChange::ItemIndex);
        if (OnClick) {
            OnClick(*this);
        }
    });
}

}  // namespace gui
