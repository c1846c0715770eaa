// What the standard library's own faults raise in the setup programs (see
// StandardLibraryThrows.cpp): a Failure with the library's message, formatted as the
// library formats it.
#pragma once

#include <cstdarg>
#include <string>

namespace runtime {

// The message of a library fault: format's "%s" and "%zu" filled from arguments, "%%"
// as "%", everything else as written. These three are all the library's messages use.
std::string LibraryFaultText(const char* format, std::va_list arguments);

[[noreturn]] void ThrowLibraryFault(const char* message);

}  // namespace runtime
