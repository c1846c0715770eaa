#include "ui/Density.h"

#include <cstdint>

#include "ui/Layout.h"

namespace ui {

int MulDivRounded(int number, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t quotient = magnitude / (denominator < 0 ? -denominator : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
}

int ScaledFontHeight(int designFontHeight, int pixelsPerInch) {
    return MulDivRounded(designFontHeight, pixelsPerInch, layout::kWindow.designPixelsPerInch);
}

bool ControlsNeedScaling(int pixelsPerInch, int newTextHeight) {
    return pixelsPerInch != layout::kWindow.designPixelsPerInch &&
           newTextHeight != layout::kWindow.designTextHeight;
}

gui::TRect ScaledEdges(const gui::TRect& bounds, int newTextHeight) {
    const int design = layout::kWindow.designTextHeight;
    return {MulDivRounded(bounds.Left, newTextHeight, design),
            MulDivRounded(bounds.Top, newTextHeight, design),
            MulDivRounded(bounds.Right, newTextHeight, design),
            MulDivRounded(bounds.Bottom, newTextHeight, design)};
}

int ShowTimeScaled(int value, int pixelsPerInch) {
    if (pixelsPerInch <= layout::kWindow.designPixelsPerInch) {
        return value;
    }
    return pixelsPerInch * value / layout::kWindow.designPixelsPerInch;
}

}  // namespace ui
