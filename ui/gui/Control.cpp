#include "ui/gui/Control.h"

#include <utility>

#include "ui/gui/Application.h"
#include "ui/gui/Form.h"

namespace gui {

TControl::TControl(TForm& form, std::string name, TControl* parent)
    : form_(form), name_(std::move(name)), parent_(parent) {}

void TControl::SetBounds(int left, int top, int width, int height) {
    const TRect bounds = gui::BoundsRect(left, top, width, height);
    if (bounds == bounds_) {
        return;
    }
    bounds_ = bounds;
    Notify(ControlChange::Bounds);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) {
        return;
    }
    align_ = align;
    form_.Realign();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Notify(ControlChange::Enabled);
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    Notify(ControlChange::Visible);
    if (align_ != TAlign::alNone) {
        form_.Realign();
    }
}

bool TControl::Showing() const {
    return visible_ && (parent_ == nullptr || parent_->Showing());
}

bool TControl::Usable() const {
    return Showing() && enabled_ && (parent_ == nullptr || parent_->Usable());
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    Notify(ControlChange::Caption);
}

void TControl::Notify(ControlChange what) {
    if (peer_ != nullptr) {
        peer_->Changed(*this, what);
    }
}

}  // namespace gui

namespace gui {

void TControl::Dispatch(const std::function<void()>& handler) {
    form_.App().Guard(handler);
}

}  // namespace gui
