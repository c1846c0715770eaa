// Exceptions raised by whole operations. Their what() is the fixed message text
// that the window's error report shows.
#pragma once

#include <stdexcept>
#include <string>

// A failed operation of the device inventory ("SetupDiGetClassDevs", ...).
class EDeviceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The owning list's own bounds check: "List index out of bounds (%d)".
class EListError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
