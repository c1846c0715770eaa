// What a console program needs to receive raw input: a message-only window for
// WM_INPUT to go to, registered as the process's target for the input usages
// (RIDEV_INPUTSINK, so reports arrive while the console has the focus). The window
// and the registration end with the object.
#pragma once

#include "platform/Platform.h"

namespace cli {

class InputListener {
  public:
    // Raises CommandFailed when the window cannot be made or the platform refuses
    // the registration (nothing is left behind then).
    InputListener();
    ~InputListener();
    InputListener(const InputListener&) = delete;
    InputListener& operator=(const InputListener&) = delete;

    HWND Window() const { return window_; }

  private:
    HWND window_ = nullptr;
};

}  // namespace cli
