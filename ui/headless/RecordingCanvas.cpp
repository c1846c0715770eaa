#include "ui/headless/RecordingCanvas.h"

namespace headless {

void RecordingCanvas::FillRect(const gui::TRect& rect) {
    Record(CanvasOp::Kind::Fill, rect);
}

void RecordingCanvas::TextRect(const gui::TRect& clip, int x, int y, const std::string& text) {
    Record(CanvasOp::Kind::Text, clip, x, y, text);
}

void RecordingCanvas::DrawRaisedEdge(const gui::TRect& rect) {
    Record(CanvasOp::Kind::RaisedEdge, rect);
}

void RecordingCanvas::DrawFocusRect(const gui::TRect& rect) {
    Record(CanvasOp::Kind::FocusRect, rect);
}

void RecordingCanvas::Record(CanvasOp::Kind kind, const gui::TRect& rect, int x, int y,
                             const std::string& text) {
    ops_.push_back({kind, rect, brush_, font_, x, y, text});
}

}  // namespace headless
