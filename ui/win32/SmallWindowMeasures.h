// The measures the small windows are laid out by, from the window font, so that
// they grow with it (at 120 and 144 pixels per inch as at 96).
#pragma once

#include <windows.h>

namespace win32 {

// Margins and the gaps between controls: two thirds of a line, 8 pixels with the
// 13-pixel font at 96 ppi; never under 4.
int ControlGap(int lineHeight);

// A push button's width: its caption (the mnemonic's ampersand is not drawn) with
// two average characters' room on each side, and at least a message box button's
// width, twelve average characters.
int PushButtonWidth(HFONT font, const TEXTMETRICA& metrics, const char* caption);

}  // namespace win32
