#include "ui/ConfirmView.h"

#include "confirm/Revert.h"
#include "confirm/Words.h"

namespace ui {

std::string ConfirmExplanation(const confirm::Watch& watch) {
    const confirm::WatchedDevice& device = watch.Device();
    const std::string head =
        confirm::Cat({device.name.empty() ? "The device" : device.name, " was restarted with ",
                      confirm::SettingsText(device.changed), ". "});
    if (device.collections.empty()) {
        return confirm::Cat({head,
                             "This program cannot read its input, so it cannot tell "
                             "whether the device still works. Keep these settings?"});
    }
    return confirm::Cat({head, "Nothing has come from it for ", std::to_string(watch.WaitSeconds()),
                         " seconds: it may not work with them. Keep these settings?"});
}

std::string ConfirmCountdown(const confirm::Watch& watch, LONGLONG now) {
    const int left = watch.SecondsLeft(now);
    return confirm::Cat({"Reverting to ", confirm::SettingsText(watch.Device().started), " in ",
                         std::to_string(left), left == 1 ? " second." : " seconds."});
}

}  // namespace ui
