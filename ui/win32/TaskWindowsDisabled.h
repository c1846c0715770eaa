// While it lives, every enabled visible top-level window of the calling thread is
// disabled, so that a message box owned by the (hidden) application window is modal
// for the whole application; they are enabled again when it goes, and the window
// that was active is activated again (closing the box left nothing to activate).
#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

class TaskWindowsDisabled {
  public:
    TaskWindowsDisabled();
    ~TaskWindowsDisabled();
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

  private:
    HWND active_;
    std::vector<HWND> disabled_;
};

}  // namespace win32
