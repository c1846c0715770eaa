// Colours: a COLORREF (0x00BBGGRR), or one of the platform's system colours, which
// carry the system colour index with the top bit set and are resolved when drawn.
#pragma once

#include <cstdint>

namespace gui {

using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;

constexpr bool IsSystemColor(TColor color) {
    return (color & kSystemColorFlag) != 0;
}
// The GetSysColor index of a system colour.
constexpr int SystemColorIndex(TColor color) {
    return static_cast<int>(color & 0xFFu);
}

inline constexpr TColor clWindow = kSystemColorFlag | 5;          // COLOR_WINDOW
inline constexpr TColor clWindowText = kSystemColorFlag | 8;      // COLOR_WINDOWTEXT
inline constexpr TColor clHighlight = kSystemColorFlag | 13;      // COLOR_HIGHLIGHT
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;  // COLOR_HIGHLIGHTTEXT
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;        // COLOR_BTNFACE
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;      // COLOR_BTNSHADOW

}  // namespace gui
