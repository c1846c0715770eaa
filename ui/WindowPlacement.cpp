#include "ui/WindowPlacement.h"

#include <algorithm>

namespace ui {

namespace {

// The start of a span of `size` moved into [low, high); a span larger than that
// starts at low, so its top-left corner (caption, close button) stays on the screen.
int Inside(int start, int size, int low, int high) {
    return std::max(low, std::min(start, high - size));
}

}  // namespace

gui::TRect PlaceBeside(const gui::TRect& owner, int width, int height, const gui::TRect& workArea) {
    int left = owner.Right;
    if (left + width > workArea.Right) {
        left = owner.Left - width >= workArea.Left ? owner.Left - width : workArea.Right - width;
    }
    left = Inside(left, width, workArea.Left, workArea.Right);
    const int top = Inside(owner.Top, height, workArea.Top, workArea.Bottom);
    return gui::BoundsRect(left, top, width, height);
}

gui::TRect PlaceCentredOver(const gui::TRect& owner, int width, int height,
                            const gui::TRect& workArea) {
    const int left = owner.Left + (owner.Width() - width) / 2;
    const int top = owner.Top + (owner.Height() - height) / 2;
    return gui::BoundsRect(Inside(left, width, workArea.Left, workArea.Right),
                           Inside(top, height, workArea.Top, workArea.Bottom), width, height);
}

}  // namespace ui
