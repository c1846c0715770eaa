#include "ui/win32/SmallWindowMeasures.h"

#include <algorithm>
#include <string>

#include "ui/win32/Fonts.h"

namespace win32 {

int ControlGap(int lineHeight) {
    return std::max(4, lineHeight * 2 / 3);
}

int PushButtonWidth(HFONT font, const TEXTMETRICA& metrics, const char* caption) {
    std::string text;
    for (const char* c = caption; *c != '\0'; ++c) {
        // "&&" draws one ampersand.
        if (*c == '&') {
            if (c[1] != '&') {
                continue;
            }
            ++c;
        }
        text += *c;
    }
    const SIZE extent = ScreenTextExtent(font, text.c_str());
    const int average = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    return std::max(static_cast<int>(extent.cx) + 4 * average, 12 * average);
}

}  // namespace win32
