// TPanel: a container for other controls, drawn without a bevel here.
#pragma once

#include "ui/gui/Control.h"

namespace gui {

class TPanel : public TControl {
  public:
    using TControl::TControl;
    static constexpr ControlKind ClassKind = ControlKind::Panel;
    ControlKind Kind() const override { return ClassKind; }

    bool Bevel = false;
};

}  // namespace gui
