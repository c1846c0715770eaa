// The standard library's throw helpers, which its containers and strings call on a
// fault (an index past the end, a size past the largest, no memory).
//
// The runtime's own helpers raise std::logic_error and its kind, whose message lives
// in the runtime's older copy-on-write string: linking them brings that whole string
// type in (about 43 KiB of the 32-bit program, none of it otherwise used). Here the
// faults with a message raise a Failure with the same message text instead; those
// without one raise the same standard exception as before. Every catch site of the
// setup program catches std::exception, so an error report still shows the library's
// words. All fifteen helpers of the runtime's object are defined, so that the linker
// never takes that object as well.
//
// Linked into the real-platform setup program as an object of its own, as
// QuietTerminate.cpp is.
#include <cstdarg>
#include <exception>
#include <functional>
#include <new>
#include <string>
#include <typeinfo>

#include "runtime/LibraryFault.h"

namespace std {

void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}

void __throw_logic_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_domain_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_invalid_argument(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_length_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_out_of_range(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_runtime_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_range_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_overflow_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}
void __throw_underflow_error(const char* message) {
    ::runtime::ThrowLibraryFault(message);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    const std::string message = ::runtime::LibraryFaultText(format, arguments);
    va_end(arguments);
    ::runtime::ThrowLibraryFault(message.c_str());
}

}  // namespace std
