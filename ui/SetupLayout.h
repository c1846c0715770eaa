// Builds the setup window's controls from the layout data and scales them to the
// screen's density, as loading the window does before its creation handler runs.
#pragma once

#include "ui/gui/Form.h"

namespace ui {

// Creates every control of the layout on the form, with the grid's settings, the
// window's caption, font and client size at the design density.
void LoadSetupLayout(gui::TForm& form);

// The load-time density rule for a screen of pixelsPerInch on which the scaled
// font's "0" is newTextHeight pixels high: the font height follows the density;
// when the text height changed, every control's edges are scaled and the docked
// controls take their docked places again. Neither the client size nor the grid's
// row height and column widths change.
void ScaleSetupLayout(gui::TForm& form, int pixelsPerInch, int newTextHeight);

}  // namespace ui
