// A window message as the form's handlers receive it.
#pragma once

#include "ui/gui/WinUi.h"

namespace gui {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

}  // namespace gui
