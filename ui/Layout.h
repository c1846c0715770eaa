// The setup window's layout as data: the window, every control with its place at
// 96 pixels per inch, captions, hints, tab order and initial state, and the device
// grid's settings. Both realisations build the window from this, through
// LoadSetupLayout.
#pragma once

#include <array>

#include "ui/gui/Control.h"
#include "ui/gui/DrawGrid.h"

namespace ui {

namespace layout {

struct WindowSpec {
    const char* caption;
    const char* applicationTitle;
    int outerWidth;  // frame included
    int outerHeight;
    int clientWidth;  // at the design density
    int clientHeight;
    int designLeft;  // not used: the window is centred when shown
    int designTop;
    const char* fontName;
    int fontHeight;  // character height in pixels at the design density
    int fontPoints;
    int designPixelsPerInch;
    int designTextHeight;  // height of "0" in the window font at the design density
};

struct ControlSpec {
    const char* name;
    gui::ControlKind kind;
    const char* parent;  // null: the window
    int left;
    int top;
    int width;
    int height;
    gui::TAlign align;
    const char* caption;
    const char* hint;
    int tabOrder;  // -1: takes no focus
    bool checked;
    bool enabled;
    bool visible;
    int itemHeight;   // combo box
    int modalResult;  // button
    bool cancel;      // button: Esc presses it
    bool autoSize;    // label
};

struct GridSpec {
    const char* name;
    int colCount;
    int rowCount;
    int fixedRows;
    int fixedCols;
    int defaultRowHeight;
    std::array<int, 6> colWidths;
    int gridLineWidth;
    gui::TGridOptions options;
    int currentCol;  // current cell at creation, also the first visible row
    int currentRow;
};

extern const WindowSpec kWindow;
// In creation order: every parent before its children.
extern const std::array<ControlSpec, 12> kControls;
extern const GridSpec kGrid;

}  // namespace layout

}  // namespace ui
