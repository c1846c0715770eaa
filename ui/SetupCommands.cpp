// TfrmSetup: the commands behind the check boxes, the rate list, the buttons and
// the device-change notification.
#include <cstdint>
#include <string>
#include <utility>

#include "restart/CompanionLauncher.h"
#include "restart/DriverService.h"
#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "base/ScopeExit.h"
#include "restart/Restart.h"
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

// Asked after the two questions above, and only when the filter's driver is known to be
// unable to load: a device that lists it would not start after its next restart.
constexpr const char* kDriverQuestion =
    "The QUORVIN driver is not installed, or its driver file is missing. With the filter on "
    "it, this device will not start until the driver is installed: a mouse or keyboard "
    "would stop working after Restart. Put the filter on the device anyway?";
constexpr UINT kDriverStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
// The same, when the service manager could not say whether the driver is installed
// (access denied, say): the filter might keep the device from starting just as well.
// Built by concatenation: a printf-style formatter would add its whole floating-point
// machinery (some 40 KiB) to the 32-bit program for one number.
constexpr const char* kUnknownDriverQuestionHead =
    "Whether the QUORVIN driver is installed could not be checked (error ";
constexpr const char* kUnknownDriverQuestionTail =
    "). If it is not, this device will not start with the filter on it: a mouse or keyboard "
    "would stop working after Restart. Put the filter on the device anyway?";

constexpr const char* kRestartCaption = " Warning !!!";
constexpr const char* kRebootCaption = " Information";

static_assert(kHubStyle == 0x134 && kUsefulnessStyle == 0x144, "question styles");

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
    const DriverServiceState driver = ReadFilterService();
    if (driver.Missing()) {
        return Ask(kDriverQuestion, kHubCaption, kDriverStyle);
    }
    if (driver.Unknown()) {
        const std::string question = kUnknownDriverQuestionHead +
                                     std::to_string(static_cast<unsigned long>(driver.error)) +
                                     kUnknownDriverQuestionTail;
        return Ask(question.c_str(), kHubCaption, kDriverStyle);
    }
    return true;
}

bool TfrmSetup::Ask(const char* text, const char* caption, UINT style) {
    // No owner window: the main window keeps receiving messages meanwhile. The
    // question counts as open for as long as its box is shown.
    ++openQuestions_;
    const ScopeExit closed([this] { --openQuestions_; });
    return App().MessageBoxA(nullptr, text, caption, style) != IDNO;
}

void TfrmSetup::RevertFilterBox() {
    Updating = true;
    const ScopeExit updated([this] { Updating = false; });
    cbFilter->SetChecked(false);
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
    RestartOutcome outcome;
    App().Services().WaitModally([&](const std::function<void()>& pump) {
        outcome = RequestDeviceRestart(CurrentDevice(), Handle(), pump);
    });
    ReportRestart(outcome);
}

void TfrmSetup::ReportRestart(const RestartOutcome& outcome) {
    using Kind = RestartOutcome::Kind;
    const bool missing = outcome.kind == Kind::CompanionMissing;
    const std::string text = DescribeRestartOutcome(outcome, missing ? CompanionPath() : "");
    if (text.empty()) {
        return;
    }
    // Warnings rather than errors: the error icon is the application's error report's.
    const bool reboot = outcome.kind == Kind::NeedsReboot;
    App().MessageBoxA(Handle(), text, reboot ? kRebootCaption : kRestartCaption,
                      MB_OK | (reboot ? MB_ICONINFORMATION : MB_ICONWARNING));
    if (outcome.kind == Kind::ProblemReverted || outcome.kind == Kind::ProblemNotCured) {
        // The filter left the device's list: show the list as it now is. Like the
        // rebuild after a device change, one that fails is not reported.
        try {
            RebuildDeviceList();
        } catch (...) {
        }
    }
}

void TfrmSetup::BitBtn_InstallClick(gui::TObject&) {
    InstallOutcome outcome = InstallOutcome::Requested;
    App().Services().WaitModally([&](const std::function<void()>& pump) {
        outcome = RequestServiceInstall(Handle(), pump);
    });
    if (outcome == InstallOutcome::CompanionMissing) {
        ReportRestart({RestartOutcome::Kind::CompanionMissing, 0});
    }
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
