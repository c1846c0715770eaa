// Exceptions raised by whole operations. Their what() is the fixed message text
// that the window's error report shows.
#pragma once

#include "base/Failure.h"

namespace device {

// A failed operation of the device inventory ("SetupDiGetClassDevs", ...).
class EDeviceError : public base::Failure {
  public:
    using base::Failure::Failure;
};

// The owning list's own bounds check: "List index out of bounds (%d)".
class EListError : public base::Failure {
  public:
    using base::Failure::Failure;
};

}  // namespace device
