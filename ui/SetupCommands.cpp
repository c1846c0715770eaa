// TfrmSetup: the commands behind the check boxes, the rate list, the buttons and
// the device-change notification.
#include <cstdint>
#include <utility>

#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "config/Restart.h"
#include "ui/SetupF.h"
#include "ui/gui/ClipboardText.h"

namespace {

constexpr const char* kHubQuestion = "You try to setup filter driver for usb hub, are you sure?";
constexpr const char* kHubCaption = " Warning !!!";
constexpr UINT kHubStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;

constexpr const char* kUsefulnessQuestion =
    "Filter driver is probably useless for this device, continue setup?";
constexpr const char* kUsefulnessCaption = " Information";
constexpr UINT kUsefulnessStyle = MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2;

static_assert(kHubStyle == 0x134 && kUsefulnessStyle == 0x144, "question styles");

// Counts an open question for as long as its box is shown.
class OpenQuestion {
  public:
    explicit OpenQuestion(int& count) : count_(count) { ++count_; }
    ~OpenQuestion() { --count_; }
    OpenQuestion(const OpenQuestion&) = delete;
    OpenQuestion& operator=(const OpenQuestion&) = delete;

  private:
    int& count_;
};

}  // namespace

void TfrmSetup::cbFilterClick(gui::TObject&) {
    if (Updating) {
        return;
    }
    try {
        ApplyFilterChoice();
    } catch (...) {
        // The command's own error is the one to report.
        try {
            RunHeldRebuild();
        } catch (...) {
        }
        throw;
    }
    RunHeldRebuild();
}

void TfrmSetup::ApplyFilterChoice() {
    TDevice& device = CurrentDevice();
    if (cbFilter->Checked() && !ConfirmFilter(device)) {
        RevertFilterBox();
        return;
    }
    bool recorded = true;
    SetFilter(device, cbFilter->Checked(), RecordFirst(device, recorded));
    // A rebuild held while a question was open repaints the new list once it runs; a
    // repaint now would read devices that may have left.
    if (rebuildHeld_) {
        return;
    }
    if (!recorded) {
        SyncControls(dgDevices->Row() - dgDevices->FixedRows);
    }
    dgDevices->Repaint();
}

bool TfrmSetup::ConfirmFilter(TDevice& device) {
    if (AsksHubQuestion(device) && !Ask(kHubQuestion, kHubCaption, kHubStyle)) {
        return false;
    }
    if (AsksUsefulnessQuestion(device) &&
        !Ask(kUsefulnessQuestion, kUsefulnessCaption, kUsefulnessStyle)) {
        return false;
    }
    return true;
}

bool TfrmSetup::Ask(const char* text, const char* caption, UINT style) {
    // No owner window: the main window keeps receiving messages meanwhile.
    OpenQuestion open(openQuestions_);
    return App().MessageBoxA(nullptr, text, caption, style) != IDNO;
}

void TfrmSetup::RevertFilterBox() {
    Updating = true;
    try {
        cbFilter->SetChecked(false);
    } catch (...) {
        Updating = false;
        throw;
    }
    Updating = false;
}

void TfrmSetup::RunHeldRebuild() {
    if (!rebuildHeld_ || openQuestions_ > 0) {
        return;
    }
    rebuildHeld_ = false;
    const bool report = std::exchange(heldRebuildReportsFailure_, false);
    try {
        RebuildDeviceList();
    } catch (...) {
        if (report) {
            throw;
        }
    }
}

void TfrmSetup::cbRateClick(gui::TObject&) {
    if (Updating) {
        return;
    }
    TDevice& device = CurrentDevice();
    bool recorded = true;
    WriteRateIndex(device, static_cast<std::uint32_t>(cbRate->ItemIndex()),
                   RecordFirst(device, recorded));
    if (!recorded) {
        SyncControls(dgDevices->Row() - dgDevices->FixedRows);
    }
    dgDevices->Repaint();
}

void TfrmSetup::cbParentClick(gui::TObject&) {
    SyncControls(dgDevices->Row() - dgDevices->FixedRows);
    dgDevices->Repaint();
}

void TfrmSetup::cbMouseOnlyClick(gui::TObject&) {
    if (openQuestions_ > 0) {
        heldRebuildReportsFailure_ = true;
    }
    RebuildDeviceList();
}

void TfrmSetup::btnApplyClick(gui::TObject&) {
    RequestDeviceRestart(CurrentDevice(), Handle());
}

void TfrmSetup::BitBtn_InstallClick(gui::TObject&) {
    RequestServiceInstall(Handle());
}

void TfrmSetup::btnCopyIDClick(gui::TObject&) {
    TDevice& device = CurrentDevice();
    const std::string text = CopyIdsText(device.GetInstanceId(), device.GetHardwareIds());
    gui::SetClipboardText(App().Services().Clipboard(), App().Handle(), text);
}

void TfrmSetup::BitBtn_CloseClick(gui::TObject&) {
    Close();
}

void TfrmSetup::WMDeviceChange(gui::TMessage&) {
    try {
        RebuildDeviceList();
    } catch (...) {
        // A failed rebuild after a device change is not reported.
    }
}
