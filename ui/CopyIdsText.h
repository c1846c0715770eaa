// The text that "Copy IDs" puts on the clipboard: the instance ID and each
// hardware ID of a device, one per line, each in double quotes, every line ended
// by CR LF.
#pragma once

#include <string>

// Marks every NUL of a multi-string with 0xFF and ends the text at the first pair
// of adjacent NULs, dropping the marker of the first NUL of that pair. A text
// without two adjacent NULs keeps every marker, a single closing NUL included.
std::string MultiStringToLines(std::string S);

// The clipboard text for an instance ID and a hardware-ID multi-string given
// without its closing NUL (either may be empty).
std::string CopyIdsText(const std::string& instanceId, const std::string& hardwareIds);
