// Exceptions raised by whole operations. Their what() is the fixed message text
// that the window's error report shows.
#pragma once

#include "base/Failure.h"

// A failed operation of the device inventory ("SetupDiGetClassDevs", ...).
class EDeviceError : public Failure {
  public:
    using Failure::Failure;
};

// The owning list's own bounds check: "List index out of bounds (%d)".
class EListError : public Failure {
  public:
    using Failure::Failure;
};
