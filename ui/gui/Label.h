// TLabel: a caption that takes no focus.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

class TLabel : public TControl {
  public:
    using TControl::TControl;
    ControlKind Kind() const override { return ControlKind::Label; }

    bool AutoSize = true;
};

}  // namespace gui
