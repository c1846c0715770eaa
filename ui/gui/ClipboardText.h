// Puts 8-bit text on the clipboard as CF_TEXT: open it for a window, empty it,
// hand it one moveable global memory block with the text and its closing NUL,
// close it. Raises "Cannot open clipboard" when it cannot be opened.
#pragma once

#include <string>

#include "base/Failure.h"
#include "ui/gui/ClipboardApi.h"

namespace gui {

class EClipboardError : public base::Failure {
  public:
    using base::Failure::Failure;
};

inline constexpr UINT kClipboardMemoryFlags = GMEM_MOVEABLE | GMEM_DDESHARE;

void SetClipboardText(ClipboardApi& api, HWND owner, const std::string& text);

}  // namespace gui
