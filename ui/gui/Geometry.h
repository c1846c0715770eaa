// Rectangles and sizes in pixels, edges as the platform keeps them: right and
// bottom lie just outside the rectangle.
#pragma once

namespace gui {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Intersects(const TRect& other) const {
        return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
    }
    bool operator==(const TRect&) const = default;
};

inline TRect BoundsRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace gui
