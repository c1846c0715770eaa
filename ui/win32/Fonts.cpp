#include "ui/win32/Fonts.h"

#include <cstring>

#include "ui/win32/DeviceContexts.h"

namespace win32 {

FontHandle CreateWindowFont(const gui::TFont& font) {
    // A negative height asks for the character height, without internal leading.
    // The default quality leaves smoothing to the user's setting, as in every other
    // window on the desktop; nothing in the window depends on how edges are drawn.
    return FontHandle(::CreateFontA(-font.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH, font.Name.c_str()));
}

SIZE ScreenTextExtent(HFONT font, const char* text) {
    SIZE size{0, 0};
    WindowDC screen(nullptr);
    if (screen.get() == nullptr) {
        return size;
    }
    SelectedObject selected(screen.get(), font);
    ::GetTextExtentPoint32A(screen.get(), text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

TEXTMETRICA ScreenTextMetrics(HFONT font) {
    TEXTMETRICA metrics{};
    WindowDC screen(nullptr);
    if (screen.get() == nullptr) {
        return metrics;
    }
    SelectedObject selected(screen.get(), font);
    ::GetTextMetricsA(screen.get(), &metrics);
    return metrics;
}

}  // namespace win32
