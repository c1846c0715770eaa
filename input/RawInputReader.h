// The program's one raw-input listener. Windows keeps a single target window per
// usage and process, so the activity marks and every measuring window share it: the
// reader registers the usages, and turns each WM_INPUT into the reporting
// collection's instance ID and the moment it arrived on the performance counter.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace input {

struct Report {
    std::string collectionId;  // upper case; empty for a device whose name is unknown
    LONGLONG time = 0;         // performance-counter ticks
    bool background = false;   // delivered while another program's window was active
};

// Registers mice, keyboards and consumer controls with RIDEV_INPUTSINK, so that
// input arrives whichever window is active. False when the platform refused.
bool RegisterRawInput(HWND target);
// Ends the registration of those usages.
void UnregisterRawInput();

// The counter's ticks per second, read once (it is fixed at boot).
LONGLONG CounterFrequency();
LONGLONG CounterNow();

class RawInputReader {
  public:
    // The report of one WM_INPUT (its lParam and wParam), or nothing when the
    // platform cannot read it.
    std::optional<Report> Read(HRAWINPUT input, WPARAM code);
    // Drops the names read so far: after devices came or went, a handle value may
    // name another device.
    void Forget() { names_.clear(); }

  private:
    std::string NameOf(HANDLE device);

    // Device handles stay valid while their device is present, and a returning device
    // gets a new handle, so names read once are kept.
    std::map<HANDLE, std::string> names_;
};

}  // namespace input
