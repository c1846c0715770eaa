// The rules by which the window follows the screen's density: the load-time
// scaling of the font and of every control, and the show-time scaling of the grid's
// row height and the client height.
#pragma once

#include "ui/gui/Geometry.h"

namespace ui {

// number × numerator / denominator rounded to the nearest integer, halves away
// from zero, as the platform's MulDiv does.
int MulDivRounded(int number, int numerator, int denominator);

// The window font's height at the density: height × pixelsPerInch / 96, rounded.
int ScaledFontHeight(int designFontHeight, int pixelsPerInch);

// Whether loading must scale the controls: the density differs from the design
// density and the font's new text height differs from the design text height.
bool ControlsNeedScaling(int pixelsPerInch, int newTextHeight);

// The four edges of a control's rectangle, each × newTextHeight / designTextHeight,
// rounded.
gui::TRect ScaledEdges(const gui::TRect& bounds, int newTextHeight);

// The show-time scaling: value × pixelsPerInch div 96 with the product first and
// the division truncated; values are kept at 96 pixels per inch or less.
int ShowTimeScaled(int value, int pixelsPerInch);

}  // namespace ui
