// The base of the program's own exceptions: std::exception with its message text in
// a std::string. The standard exception classes (runtime_error and its kind) keep
// their message in the runtime's older copy-on-write string, and on the Windows
// targets the first use of one links that whole string type in (about 43 KiB of the
// 32-bit program). Every catch site catches std::exception or one of these classes.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace base {

class Failure : public std::exception {
  public:
    explicit Failure(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

}  // namespace base
