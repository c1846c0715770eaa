#include "ui/win32/Win32Canvas.h"

namespace win32 {

namespace {

RECT ToRect(const gui::TRect& rect) {
    return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom};
}

}  // namespace

COLORREF ColorRef(gui::TColor color) {
    return gui::IsSystemColor(color) ? ::GetSysColor(gui::SystemColorIndex(color))
                                     : static_cast<COLORREF>(color);
}

void Win32Canvas::FillRect(const gui::TRect& rect) {
    const RECT area = ToRect(rect);
    ::SetBkColor(dc_, ColorRef(brush_));
    ::ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void Win32Canvas::TextRect(const gui::TRect& clip, int x, int y, const std::string& text) {
    const RECT area = ToRect(clip);
    ::SetBkMode(dc_, OPAQUE);
    ::SetBkColor(dc_, ColorRef(brush_));
    ::SetTextColor(dc_, ColorRef(font_));
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ::ExtTextOutA(dc_, x, y, ETO_OPAQUE | ETO_CLIPPED, &area, text.data(),
                  static_cast<UINT>(text.size()), nullptr);
}

void Win32Canvas::DrawRaisedEdge(const gui::TRect& rect) {
    RECT area = ToRect(rect);
    ::DrawEdge(dc_, &area, BDR_RAISEDINNER, BF_RECT);
}

void Win32Canvas::DrawFocusRect(const gui::TRect& rect) {
    const RECT area = ToRect(rect);
    // The dotted rectangle is XORed with the cell: black and white give the
    // usual look on any background.
    ::SetTextColor(dc_, RGB(0, 0, 0));
    ::SetBkColor(dc_, RGB(255, 255, 255));
    ::DrawFocusRect(dc_, &area);
}

bool Win32Canvas::RectVisible(const gui::TRect& rect) const {
    const RECT area = ToRect(rect);
    return ::RectVisible(dc_, &area) != FALSE;
}

}  // namespace win32
