// TPanel: a container for other controls, drawn without a bevel here.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

class TPanel : public TControl {
  public:
    using TControl::TControl;
    ControlKind Kind() const override { return ControlKind::Panel; }

    bool Bevel = false;
};

}  // namespace gui
