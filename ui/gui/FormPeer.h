// The link from the portable form to its realisation: the window handle, and the
// changes of the form's own state made from code.
#pragma once

#include "ui/gui/WinUi.h"

namespace gui {

class TForm;

enum class FormChange {
    Caption,
    ClientSize,
    Font,
    Shown,   // the window becomes visible; centre it on the screen
    Closed,  // the window was closed; for the main window the message loop ends
};

class FormPeer {
  public:
    virtual ~FormPeer() = default;
    virtual HWND Handle() const = 0;
    virtual void Changed(TForm& form, FormChange what) = 0;
};

}  // namespace gui
