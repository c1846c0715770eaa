// TComboBox: a drop-down list that only allows choosing one of its items. Its
// click handler runs only when the user changes the chosen item, after the new
// choice is in place; choosing from code runs nothing.
#pragma once

#include <string>
#include <vector>

#include "ui/gui/Control.h"

namespace gui {

class TComboBox : public TControl {
  public:
    using TControl::TControl;
    static constexpr ControlKind ClassKind = ControlKind::ComboBox;
    ControlKind Kind() const override { return ClassKind; }

    const std::vector<std::string>& Items() const { return items_; }
    void AddItem(const std::string& item);

    // The chosen item, -1 for none.
    int ItemIndex() const { return itemIndex_; }
    // From code: runs no handler. An index outside the items chooses none.
    void SetItemIndex(int index);

    int ItemHeight = 0;
    TNotifyEvent OnClick;

    // The user chose an item (mouse, or one keyboard step). Choosing the item
    // already chosen, or an index outside the items, does nothing.
    void UserSelect(int index);

  private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

}  // namespace gui
