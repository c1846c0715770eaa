// The window font as a GDI font, and what the window layer measures with it.
#pragma once

#include "ui/gui/Font.h"
#include "ui/win32/GdiObject.h"

namespace win32 {

// The font with its character height (internal leading excluded), regular weight,
// the default character set.
FontHandle CreateWindowFont(const gui::TFont& font);

// The size of one line of text written in the font on the screen.
SIZE ScreenTextExtent(HFONT font, const char* text);

// The font's metrics on the screen (all zero when the screen has no DC to give).
TEXTMETRICA ScreenTextMetrics(HFONT font);

}  // namespace win32
