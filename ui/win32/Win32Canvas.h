// The grid's canvas on a real device context. Colours are resolved when used
// (system colours through GetSysColor); fills and text are opaque ExtTextOut calls,
// so painting creates no GDI objects.
#pragma once

#include <windows.h>

#include "ui/gui/Canvas.h"

namespace win32 {

COLORREF ColorRef(gui::TColor color);

class Win32Canvas : public gui::Canvas {
  public:
    explicit Win32Canvas(HDC dc) : dc_(dc) {}

    void SetBrushColor(gui::TColor color) override { brush_ = color; }
    gui::TColor BrushColor() const override { return brush_; }
    void SetFontColor(gui::TColor color) override { font_ = color; }
    gui::TColor FontColor() const override { return font_; }

    void FillRect(const gui::TRect& rect) override;
    void TextRect(const gui::TRect& clip, int x, int y, const std::string& text) override;
    void DrawRaisedEdge(const gui::TRect& rect) override;
    void DrawFocusRect(const gui::TRect& rect) override;
    bool RectVisible(const gui::TRect& rect) const override;

  private:
    HDC dc_;
    gui::TColor brush_ = gui::clWindow;
    gui::TColor font_ = gui::clWindowText;
};

}  // namespace win32
