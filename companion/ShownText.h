// Text from outside the program (an instance ID from the command line, a path) as
// it may appear in a message: a driver or a caller can make it any length and put
// line breaks or other control characters in it, which would forge or hide lines.
#pragma once

#include <string>

namespace companion {

// At most kShownTextLimit bytes of the text, then "..." when it was longer; every
// control character (below 32, and 127) shown as '?'. Other bytes, those of the
// ANSI code page included, are kept.
std::string ShownText(const std::string& text);

inline constexpr std::size_t kShownTextLimit = 400;

}  // namespace companion
