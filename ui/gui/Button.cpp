#include "ui/gui/Button.h"

namespace gui {

void TButton::Click() {
    if (OnClick) {
        OnClick(*this);
    }
}

void TButton::UserClick() {
    if (Usable()) {
        Dispatch([this] { Click(); });
    }
}

}  // namespace gui
