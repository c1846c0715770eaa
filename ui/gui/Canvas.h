// What the grid and its draw handler paint with. A realisation draws onto a real
// device context or records the operations.
#pragma once

#include <string>

#include "ui/gui/Colors.h"
#include "ui/gui/Geometry.h"

namespace gui {

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void SetBrushColor(TColor color) = 0;
    virtual TColor BrushColor() const = 0;
    virtual void SetFontColor(TColor color) = 0;
    virtual TColor FontColor() const = 0;

    // Fills the rectangle with the brush colour.
    virtual void FillRect(const TRect& rect) = 0;
    // One line of text in the font colour with its origin at (x, y): the whole
    // clip rectangle is painted in the brush colour behind it (opaque) and the text
    // is cut at the rectangle's edges, with no wrapping and no ellipsis.
    virtual void TextRect(const TRect& clip, int x, int y, const std::string& text) = 0;
    // The raised edge around a header cell.
    virtual void DrawRaisedEdge(const TRect& rect) = 0;
    // The dotted focus rectangle around the current cell.
    virtual void DrawFocusRect(const TRect& rect) = 0;
    // Whether any part of the rectangle lies in the region being painted. A real
    // paint's region may be smaller than the update rectangle the grid is given.
    virtual bool RectVisible(const TRect&) const { return true; }
};

}  // namespace gui
