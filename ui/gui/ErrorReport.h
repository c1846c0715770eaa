// The text and style of the application's error report.
#pragma once

#include <string>

#include "ui/gui/WinUi.h"

namespace gui {

inline constexpr UINT kErrorReportStyle = MB_OK | MB_ICONERROR;

// The exception's message with a period appended when it is not empty and its
// last byte, as an unsigned byte, sorts above '.'.
std::string ErrorReportText(const std::string& message);

}  // namespace gui
