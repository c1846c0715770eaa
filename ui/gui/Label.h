// TLabel: a caption that takes no focus.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

class TLabel : public TControl {
  public:
    using TControl::TControl;
    static constexpr ControlKind ClassKind = ControlKind::Label;
    ControlKind Kind() const override { return ClassKind; }

    bool AutoSize = true;
};

}  // namespace gui
