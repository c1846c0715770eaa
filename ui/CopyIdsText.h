// The text that "Copy IDs" puts on the clipboard: the instance ID and each
// hardware ID of a device, one per line, each in double quotes, every line ended
// by CR LF.
#pragma once

#include <string>

namespace ui {

// Marks every NUL of a multi-string with 0xFF and ends the text at the first pair
// of adjacent NULs, dropping the marker of the first NUL of that pair. A text
// without two adjacent NULs keeps every marker, a single closing NUL included.
std::string MultiStringToLines(std::string S);

// The clipboard text for an instance ID and a hardware-ID multi-string given
// without its closing NUL (either may be empty).
//
// Any driver can store any bytes in a device's hardware IDs, so a byte inside an
// ID that could end its quoted line where the text is pasted (a double quote, a
// control byte such as CR or LF, or 0xFF, the separator mark) is shown as '?':
// each ID stays exactly one line. IDs as Windows forms them hold none of these,
// and their text is unchanged.
std::string CopyIdsText(const std::string& instanceId, const std::string& hardwareIds);

}  // namespace ui
