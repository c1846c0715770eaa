// TfrmSetup: the device list, the row mapping and the controls that show the
// device to process.
#include <algorithm>
#include <string>

#include "base/ScopeExit.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/Errors.h"
#include "ui/SetupF.h"

int TfrmSetup::ListCount() const {
    return DeviceList ? DeviceList->Count() : 0;
}

TDevice& TfrmSetup::DeviceForRow(int i) {
    if (!DeviceList) {
        // No list is an empty list, with the empty list's error.
        throw EDeviceError("TDeviceList.GetDevice(" + std::to_string(i) + ") from 0");
    }
    TDevice* device = &DeviceList->GetDevice(i);
    if (cbParent->Checked()) {
        device = &device->GetParentDevice();
    }
    return *device;
}

TDevice& TfrmSetup::CurrentDevice() {
    return DeviceForRow(dgDevices->Row() - dgDevices->FixedRows);
}

void TfrmSetup::RebuildDeviceList() {
    if (openQuestions_ > 0) {
        rebuildHeld_ = true;
        return;
    }
    DeviceList.reset();
    try {
        DeviceList = std::make_unique<TDeviceList>(cbMouseOnly->Checked(), AllDevicesMode);
    } catch (...) {
        // Without a list the window shows what it shows for an empty one.
        ShowList();
        throw;
    }
    ShowList();
}

void TfrmSetup::ShowList() {
    ListChanged();
    dgDevices->SetRowCount(std::max(ListCount(), 1) + dgDevices->FixedRows);
    const bool any = ListCount() > 0;
    cbFilter->SetEnabled(any);
    cbRate->SetEnabled(any);
    btnApply->SetEnabled(any);
    btnCopyID->SetEnabled(any);
    if (any) {
        SyncControls(dgDevices->Row() - dgDevices->FixedRows);
    }
    dgDevices->Repaint();
}

void TfrmSetup::SyncControls(int i) {
    if (i >= ListCount()) {
        return;
    }
    TDevice& device = DeviceForRow(i);
    // Updating is set for as long as the window changes its own controls.
    Updating = true;
    const ScopeExit updated([this] { Updating = false; });
    cbFilter->SetChecked(HasFilter(device));
    cbRate->SetItemIndex(ReadRateIndex(device));
}
