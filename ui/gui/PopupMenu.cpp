#include "ui/gui/PopupMenu.h"

#include <utility>

namespace gui {

TMenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
    items_.push_back(TMenuItem{std::move(caption), true, std::move(onClick)});
    return items_.back();
}

std::optional<std::size_t> TPopupMenu::IndexOf(const std::string& caption) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (PlainCaption(items_[i].Caption) == PlainCaption(caption)) {
            return i;
        }
    }
    return std::nullopt;
}

TMenuItem* TPopupMenu::Find(const std::string& caption) {
    const std::optional<std::size_t> index = IndexOf(caption);
    return index ? &items_[*index] : nullptr;
}

bool TPopupMenu::UserPopup() {
    bool shown = false;
    app_.Guard([&] {
        if (OnPopup) {
            OnPopup(*this);
        }
        shown = true;
    });
    return shown;
}

void TPopupMenu::UserChoose(std::size_t index) {
    if (index >= items_.size() || !items_[index].Enabled || !items_[index].OnClick) {
        return;
    }
    // The handler may add items; it gets its own copy of the item's handler.
    const TNotifyEvent handler = items_[index].OnClick;
    app_.Guard([&] { handler(*this); });
}

std::string PlainCaption(const std::string& caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        plain += caption[i];
    }
    return plain;
}

}  // namespace gui
