// TfrmSetup: the filter's health. "Filter health..." in the grid's context menu opens
// a window of its own that lists every device carrying the filter; its repair command
// comes back here, so that removing the filter goes through the undo journal and the
// verified restart like every other change the window makes.
#include <string>

#include "restart/Restart.h"
#include "device/Device.h"
#include "health/FilterHealth.h"
#include "health/FilterRepair.h"
#include "ui/SetupF.h"

namespace {

constexpr const char* kHealthCaption = " Filter health";
constexpr UINT kRepairQuestionStyle = MB_YESNO | MB_ICONWARNING;
constexpr UINT kRepairedStyle = MB_OK | MB_ICONINFORMATION;
constexpr UINT kTroubleStyle = MB_OK | MB_ICONWARNING;

bool FullyRepaired(const FilterRepair& repair) {
    return repair.kind == FilterRepair::Kind::Removed &&
           (!repair.restarted || (repair.restart.kind == RestartOutcome::Kind::Restarted &&
                                  repair.after.present && !repair.after.HasProblem()));
}

}  // namespace

void TfrmSetup::AddHealthMenuItems() {
    pmDevices->Add("Filter &health...", [this](gui::TObject&) {
        if (OnFilterHealth) {
            OnFilterHealth();
        }
    });
}

bool TfrmSetup::RepairFilterHealth(const FilterHealth& health) {
    const int count = health.RepairableCount();
    if (count == 0) {
        return false;
    }
    const std::string question =
        "Remove the QUORVIN filter from " + std::to_string(count) +
        " device(s) that it keeps from starting, and restart the ones that are present? "
        "Their other filters stay, and \"Undo last change\" can put the filter back.";
    if (!Ask(question.c_str(), kHealthCaption, kRepairQuestionStyle)) {
        return false;
    }
    const DeviceBeforeWrite record = [this](TDevice& device, const PlannedChange& change) {
        bool recorded = true;
        return RecordFirst(device, recorded)(change);
    };
    const DeviceRestart restart = [this](TDevice& device) {
        RestartOutcome outcome;
        App().Services().WaitModally([&](const std::function<void()>& pump) {
            outcome = RequestDeviceRestart(device, Handle(), pump);
        });
        return outcome;
    };
    std::string lines;
    bool trouble = false;
    for (const FilteredDevice& device : health.devices) {
        if (!device.Repairable()) {
            continue;
        }
        const FilterRepair repair = RemoveFilterFrom(device.instanceId, record, restart);
        trouble = trouble || !FullyRepaired(repair);
        lines += "\n- " + DescribeRepair(device, repair);
    }
    // The grid shows the lists as they now are; like the rebuild after a device
    // change, one that fails is not reported.
    try {
        RebuildDeviceList();
    } catch (...) {
    }
    App().MessageBoxA(Handle(),
                      "Removing the filter from the devices it kept from starting:\n" + lines,
                      kHealthCaption, trouble ? kTroubleStyle : kRepairedStyle);
    return true;
}
