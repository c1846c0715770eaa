#include "runtime/LibraryFault.h"

#include <cstddef>

#include "base/Failure.h"

namespace runtime {

std::string LibraryFaultText(const char* format, std::va_list arguments) {
    std::string text;
    for (const char* at = format; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == '%') {
            text += '%';
            ++at;
        } else if (at[0] == '%' && at[1] == 's') {
            const char* value = va_arg(arguments, const char*);
            text += value != nullptr ? value : "(null)";
            ++at;
        } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            text += std::to_string(va_arg(arguments, std::size_t));
            at += 2;
        } else {
            text += *at;
        }
    }
    return text;
}

void ThrowLibraryFault(const char* message) {
    throw base::Failure(message);
}

}  // namespace runtime
