// Switches the WOW64 file-system redirection off for as long as it lives, so that a
// 32-bit process sees the 64-bit system folder (System32) instead of SysWOW64. The two
// calls are looked up in kernel32 at run time, since 32-bit Windows XP lacks them;
// where they are missing or fail, nothing is switched and nothing is reverted.
#pragma once

#include "platform/WinTypes.h"

namespace restart {

class FileSystemRedirectionOff {
  public:
    FileSystemRedirectionOff();
    ~FileSystemRedirectionOff();
    FileSystemRedirectionOff(const FileSystemRedirectionOff&) = delete;
    FileSystemRedirectionOff& operator=(const FileSystemRedirectionOff&) = delete;

    // Whether the redirection was switched off (and will be switched back).
    bool active() const { return active_; }

  private:
    PVOID old_ = nullptr;
    bool active_ = false;
};

}  // namespace restart
