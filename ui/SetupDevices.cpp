// TfrmSetup: the device list, built again on request, and the controls that show
// the device to process.
#include <algorithm>
#include <string>

#include "base/AsciiCase.h"
#include "base/ScopeExit.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "ui/SetupF.h"

namespace ui {

void TfrmSetup::RebuildDeviceList() {
    if (openQuestions_ > 0) {
        rebuildHeld_ = true;
        return;
    }
    // Devices arrive anywhere in the listing order, so the row that was current may
    // stand for another device after the rebuild; the commands must not move to it.
    const std::string current = CurrentListedId();
    DeviceList.reset();
    try {
        DeviceList = std::make_unique<device::TDeviceList>(cbMouseOnly->Checked(), AllDevicesMode);
    } catch (...) {
        // Without a list the window shows what it shows for an empty one.
        ShowList();
        throw;
    }
    ShowList(IndexOfListed(current));
}

std::string TfrmSetup::CurrentListedId() {
    const int i = CurrentRow();
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    return DeviceList->GetDevice(i).GetInstanceId();
}

int TfrmSetup::IndexOfListed(const std::string& instanceId) {
    if (instanceId.empty()) {
        return -1;
    }
    for (int i = 0; i < ListCount(); ++i) {
        if (base::EqualNoCaseAscii(DeviceList->GetDevice(i).GetInstanceId(), instanceId)) {
            return i;
        }
    }
    return -1;
}

void TfrmSetup::ShowList(int keptIndex) {
    ListChanged();
    const int rows = std::max(ListCount(), 1) + dgDevices->FixedRows;
    const int keptRow = keptIndex + dgDevices->FixedRows;
    // Moved before the row count changes where the row exists already, so that a
    // shrinking grid does not first select its last row.
    if (keptIndex >= 0) {
        dgDevices->SetCurrentRow(keptRow);
    }
    dgDevices->SetRowCount(rows);
    if (keptIndex >= 0) {
        dgDevices->SetCurrentRow(keptRow);
    }
    const bool any = ListCount() > 0;
    cbFilter->SetEnabled(any);
    cbRate->SetEnabled(any);
    btnApply->SetEnabled(any);
    btnCopyID->SetEnabled(any);
    if (any) {
        SyncControls(CurrentRow());
    }
    // A kept device that moved has been announced by its move already.
    dgDevices->RowsReplaced(keptIndex < 0);
    dgDevices->Repaint();
}

void TfrmSetup::SyncControls(int i) {
    if (i >= ListCount()) {
        return;
    }
    device::TDevice& device = DeviceForRow(i);
    // Updating is set for as long as the window changes its own controls.
    Updating = true;
    const base::ScopeExit updated([this] { Updating = false; });
    cbFilter->SetChecked(config::HasFilter(device));
    cbRate->SetItemIndex(config::ReadRateIndex(device));
}

}  // namespace ui
