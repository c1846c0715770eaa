// The names of files, folders and programs on the simulated machine, as Windows keeps
// them: Unicode, which the machine holds in UTF-8 (Machine::files, currentDirectory,
// System::programPath). The wide calls take and give them in UTF-16. The ANSI calls
// see them through the ANSI code page (SimInput.h: 1252 unless set): a name they are
// given is read in it, and a name they give back has each character the page lacks
// as '?', so that a folder named in another script reads as a path that is not there.
#pragma once

#include <string>
#include <string_view>

#include "platform/InputTypes.h"

namespace sim {

// UTF-16 to UTF-8 and back; a lone surrogate or a malformed byte becomes U+FFFD.
std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view text);
// A name an ANSI call was given, in the machine's form; and the form an ANSI call
// gives back of one.
std::string NameFromAnsi(std::string_view ansi);
std::string AnsiName(std::string_view name);

// A wide string argument in UTF-8 for the call log, or "null".
std::string WideArg(const WCHAR* text);
// A terminated wide string as UTF-16 (empty for null).
std::u16string WideText(const WCHAR* text);

}  // namespace sim
