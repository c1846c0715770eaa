// --confirm SECONDS of set and apply: after a restart that changed how a device is
// driven, the device's own reports are waited for; a device that sends nothing in that
// time (or has no HID collection whose reports can be read) gets its filter and rate
// put back as they were, recorded in the undo journal, and is restarted again.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/InputListener.h"
#include "cli/SettingChange.h"
#include "confirm/Watch.h"

namespace device {
class TDevice;
}  // namespace device

namespace cli {

inline constexpr const char* kConfirmOption = "confirm";

// Confirmation for one command: made before any change, so that a platform that
// refuses raw input stops the command before it changes anything.
class ChangeConfirmation {
  public:
    // Nothing to confirm without --confirm; UsageError for a bad number of seconds or
    // --confirm without --restart.
    static std::unique_ptr<ChangeConfirmation> FromArguments(const Arguments& args);

    // Before the device's settings are written: what it runs with now.
    confirm::WatchedDevice Before(device::TDevice& device);
    // After the restart: waits for the device when the restart went through and its
    // filter or rate now differ.
    void AfterRestart(confirm::WatchedDevice watched, std::size_t changeIndex,
                      const DeviceChange& change);
    // Waits for every device at once, then reverts the silent ones and notes what became
    // of each in its change.
    void Wait(std::vector<DeviceChange>& changes, Console& console);

  private:
    explicit ChangeConfirmation(int seconds) : seconds_(seconds) {}

    struct Pending {
        std::size_t changeIndex;
        confirm::WatchedDevice device;
        bool confirmed = false;
    };
    int seconds_;
    InputListener listener_;
    std::vector<Pending> pending_;
};

}  // namespace cli
