#include "ui/gui/Form.h"

#include <algorithm>

#include "ui/gui/Button.h"
#include "ui/gui/Control.h"

namespace gui {

TForm::TForm(TApplication& app) : app_(app) {}

TForm::~TForm() = default;

std::vector<TControl*> TForm::Controls() const {
    std::vector<TControl*> result;
    result.reserve(controls_.size());
    for (const auto& control : controls_) {
        result.push_back(control.get());
    }
    return result;
}

TControl* TForm::FindControl(const std::string& name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

void TForm::SetCaption(const std::string& caption) {
    if (caption != caption_) {
        caption_ = caption;
        NotifyPeer(FormChange::Caption);
    }
}

void TForm::SetFont(const TFont& font) {
    font_ = font;
    NotifyPeer(FormChange::Font);
}

void TForm::SetClientSize(int width, int height) {
    if (width == clientWidth_ && height == clientHeight_) {
        return;
    }
    clientWidth_ = width;
    clientHeight_ = height;
    NotifyPeer(FormChange::ClientSize);
    Realign();
}

void TForm::Realign() {
    int top = 0;
    int bottom = clientHeight_;
    for (const auto& control : controls_) {
        if (control->Parent() != nullptr || !control->Visible()) {
            continue;
        }
        if (control->Align() == TAlign::alTop) {
            control->SetBounds(0, top, clientWidth_, control->Height());
            top += control->Height();
        } else if (control->Align() == TAlign::alBottom) {
            bottom -= control->Height();
            control->SetBounds(0, bottom, clientWidth_, control->Height());
        }
    }
    for (const auto& control : controls_) {
        if (control->Parent() == nullptr && control->Visible() &&
            control->Align() == TAlign::alClient) {
            control->SetBounds(0, top, clientWidth_, std::max(0, bottom - top));
        }
    }
}

void TForm::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    visible_ = false;
    NotifyPeer(FormChange::Closed);
}

void TForm::Destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    if (OnDestroy) {
        OnDestroy(*this);
    }
}

void TForm::DoCreate() {
    app_.Guard([this] {
        if (OnCreate) {
            OnCreate(*this);
        }
    });
}

void TForm::Show() {
    visible_ = true;
    app_.Guard([this] {
        if (OnShow) {
            OnShow(*this);
        }
    });
    NotifyPeer(FormChange::Shown);
}

void TForm::UserResize(int clientWidth, int clientHeight) {
    app_.Guard([&] { SetClientSize(clientWidth, clientHeight); });
}

void TForm::UserClose() {
    app_.Guard([this] { Close(); });
}

void TForm::UserCancel() {
    if (CancelButton != nullptr) {
        CancelButton->UserClick();
    }
}

bool TForm::Perform(TMessage& message) {
    bool handled = false;
    app_.Guard([&] { handled = Dispatch(message); });
    return handled;
}

bool TForm::Dispatch(TMessage&) {
    return false;
}

void TForm::NotifyPeer(FormChange what) {
    if (peer_ != nullptr) {
        peer_->Changed(*this, what);
    }
}

}  // namespace gui
