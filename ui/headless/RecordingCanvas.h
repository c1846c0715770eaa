// A canvas that records what is painted on it, operation by operation.
#pragma once

#include <string>
#include <vector>

#include "ui/gui/Canvas.h"

namespace headless {

struct CanvasOp {
    enum class Kind { Fill, Text, RaisedEdge, FocusRect };
    Kind kind;
    gui::TRect rect;
    gui::TColor brush;
    gui::TColor font;
    int x = 0;
    int y = 0;
    std::string text;
};

class RecordingCanvas : public gui::Canvas {
  public:
    void SetBrushColor(gui::TColor color) override { brush_ = color; }
    gui::TColor BrushColor() const override { return brush_; }
    void SetFontColor(gui::TColor color) override { font_ = color; }
    gui::TColor FontColor() const override { return font_; }
    void FillRect(const gui::TRect& rect) override;
    void TextRect(const gui::TRect& clip, int x, int y, const std::string& text) override;
    void DrawRaisedEdge(const gui::TRect& rect) override;
    void DrawFocusRect(const gui::TRect& rect) override;

    const std::vector<CanvasOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }

  private:
    void Record(CanvasOp::Kind kind, const gui::TRect& rect, int x = 0, int y = 0,
                const std::string& text = {});

    gui::TColor brush_ = gui::clWindow;
    gui::TColor font_ = gui::clWindowText;
    std::vector<CanvasOp> ops_;
};

}  // namespace headless
