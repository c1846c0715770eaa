// Text for the wide (UTF-16) calls. The program's own folder, and the setup
// information file the companion installs, are named in UTF-16 throughout: a folder
// named in another script than the ANSI code page's (a Cyrillic user name on a Western
// system) has no ANSI name, and the ANSI calls would see '?' where its letters are.
#pragma once

#include <string>
#include <string_view>

#include "platform/InputTypes.h"

namespace restart {

using WideString = std::basic_string<WCHAR>;
using WideView = std::basic_string_view<WCHAR>;

// ASCII text (instance IDs and switches, which Windows keeps ASCII) widened unit for
// unit.
WideString WidenAscii(std::string_view ascii);
// Whether the text is the ASCII text, unit for unit.
bool SameAscii(WideView text, std::string_view ascii);
// Whether every unit of the text is ASCII; such text narrowed unit for unit (any
// other unit as '?').
bool IsAscii(WideView text);
std::string NarrowAscii(WideView ascii);

// The text as a message shows it: in the ANSI code page, with '?' for each character
// the page lacks (a message is written in that page).
std::string ShownInAnsi(WideView text);

}  // namespace restart
