// TfrmSetup: the filter's health. "Filter health..." in the grid's context menu opens
// a window of its own that lists every device carrying the filter; its repair command
// comes back here, so that removing the filter goes through the undo journal and the
// verified restart like every other change the window makes.
#include <string>

#include "commands/HealthCommands.h"
#include "ui/SetupF.h"
#include "ui/WindowHost.h"

namespace ui {

namespace {

constexpr const char* kHealthCaption = " Filter health";
constexpr UINT kRepairedStyle = MB_OK | MB_ICONINFORMATION;
constexpr UINT kTroubleStyle = MB_OK | MB_ICONWARNING;

}  // namespace

void TfrmSetup::AddHealthMenuItems() {
    pmDevices->Add("Filter &health...", [this](gui::TObject&) {
        if (OnFilterHealth) {
            OnFilterHealth();
        }
    });
}

bool TfrmSetup::RepairFilterHealth(const health::FilterHealth& health) {
    const commands::Result result = commands::RepairHealth(health, *host_);
    if (result.kind == commands::Result::Kind::Unchanged ||
        result.kind == commands::Result::Kind::Declined) {
        return false;
    }
    // The grid shows the lists as they now are.
    RebuildIgnoringFailure();
    App().MessageBoxA(
        Handle(), "Removing the filter from the devices it kept from starting:\n" + result.why,
        kHealthCaption,
        result.kind == commands::Result::Kind::Failed ? kTroubleStyle : kRepairedStyle);
    return true;
}

}  // namespace ui
