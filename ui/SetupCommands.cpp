// TfrmSetup: the commands behind the check boxes, the rate list, the buttons and
// the device-change notification.
#include <cstdint>
#include <string>
#include <utility>

#include "base/AsciiCase.h"
#include "base/ScopeExit.h"
#include "commands/DeviceCommands.h"
#include "commands/SettingCommands.h"
#include "confirm/WatchedDevice.h"
#include "restart/Restart.h"
#include "ui/SetupF.h"
#include "ui/WindowHost.h"
#include "ui/gui/ClipboardText.h"

namespace ui {

namespace {

constexpr const char* kRestartCaption = " Warning !!!";
constexpr const char* kRebootCaption = " Information";

}  // namespace

void TfrmSetup::cbFilterClick(gui::TObject&) {
    if (Updating) {
        return;
    }
    try {
        ApplyFilterChoice();
    } catch (...) {
        // The command's own error is the one to report: the error report shows one
        // message, and the held rebuild's failure would take its place.
        try {
            RunHeldRebuild();
        } catch (...) {
        }
        throw;
    }
    RunHeldRebuild();
}

void TfrmSetup::ApplyFilterChoice() {
    device::TDevice& device = CurrentDevice();
    const commands::Result result = commands::ChangeFilter(device, cbFilter->Checked(), *host_);
    if (result.declined && *result.declined != ::commands::Question::Unrecorded) {
        RevertFilterBox();
        return;
    }
    if (result.Written()) {
        NoteChangeAwaitingRestart(device);
    }
    // A rebuild held while a question was open repaints the new list once it runs; a
    // repaint now would read devices that may have left.
    if (rebuildHeld_) {
        return;
    }
    ShowSettingResult(result);
}

void TfrmSetup::ShowSettingResult(const commands::Result& result) {
    // A change that was not made leaves the controls showing what the user chose: they
    // go back to what the device holds. The grid reads the device on its repaint.
    if (result.kind == commands::Result::Kind::Declined ||
        result.kind == commands::Result::Kind::Failed) {
        SyncControls(CurrentRow());
    }
    dgDevices->Repaint();
}

bool TfrmSetup::Ask(const char* text, const char* caption, UINT style) {
    // No owner window: the main window keeps receiving messages meanwhile. The
    // question counts as open for as long as its box is shown.
    ++openQuestions_;
    const base::ScopeExit closed([this] { --openQuestions_; });
    return App().MessageBoxA(nullptr, text, caption, style) != IDNO;
}

void TfrmSetup::RevertFilterBox() {
    Updating = true;
    const base::ScopeExit updated([this] { Updating = false; });
    cbFilter->SetChecked(false);
}

void TfrmSetup::RunHeldRebuild() {
    if (!rebuildHeld_ || openQuestions_ > 0) {
        return;
    }
    rebuildHeld_ = false;
    // Only a rebuild that "Mice Only" asked for reports its failure; one held back
    // from a device change is not reported, as after any device change.
    if (std::exchange(heldRebuildReportsFailure_, false)) {
        RebuildDeviceList();
    } else {
        RebuildIgnoringFailure();
    }
}

void TfrmSetup::cbRateClick(gui::TObject&) {
    if (Updating) {
        return;
    }
    device::TDevice& device = CurrentDevice();
    const commands::Result result =
        commands::ChangeRate(device, static_cast<std::uint32_t>(cbRate->ItemIndex()), *host_);
    if (result.Written()) {
        NoteChangeAwaitingRestart(device);
    }
    ShowSettingResult(result);
}

void TfrmSetup::cbParentClick(gui::TObject&) {
    SyncControls(CurrentRow());
    dgDevices->Repaint();
}

void TfrmSetup::cbMouseOnlyClick(gui::TObject&) {
    if (openQuestions_ > 0) {
        heldRebuildReportsFailure_ = true;
    }
    RebuildDeviceList();
}

void TfrmSetup::btnApplyClick(gui::TObject&) {
    // Read before the restart: the list may be built again while it runs.
    const std::string restarted = base::UpperAscii(CurrentDevice().GetInstanceId());
    // Read before the restart: a rebuild may release the device while the companion runs.
    confirm::WatchedDevice watched = confirm::WatchedDeviceOf(CurrentDevice());
    const restart::RestartOutcome outcome = *commands::Restart(CurrentDevice(), *host_).restart;
    using Kind = restart::RestartOutcome::Kind;
    if (outcome.kind == Kind::Restarted || outcome.kind == Kind::ProblemReverted ||
        outcome.kind == Kind::ProblemNotCured) {
        restartPending_[restarted] = false;
    }
    ReportRestart(outcome);
    WatchRestart(std::move(watched), outcome);
}

void TfrmSetup::ReportRestart(const restart::RestartOutcome& outcome) {
    using Kind = restart::RestartOutcome::Kind;
    const bool missing = outcome.kind == Kind::CompanionMissing;
    const std::string text =
        DescribeRestartOutcome(outcome, missing ? restart::CompanionPath() : "");
    if (text.empty()) {
        return;
    }
    // Warnings rather than errors: the error icon is the application's error report's.
    const bool reboot = outcome.kind == Kind::NeedsReboot;
    App().MessageBoxA(Handle(), text, reboot ? kRebootCaption : kRestartCaption,
                      MB_OK | (reboot ? MB_ICONINFORMATION : MB_ICONWARNING));
    if (outcome.kind == Kind::ProblemReverted || outcome.kind == Kind::ProblemNotCured) {
        // The filter left the device's list: show the list as it now is.
        RebuildIgnoringFailure();
    }
}

void TfrmSetup::BitBtn_InstallClick(gui::TObject&) {
    if (::commands::InstallService(*host_).install == restart::InstallOutcome::CompanionMissing) {
        ReportRestart({restart::RestartOutcome::Kind::CompanionMissing, 0});
    }
}

void TfrmSetup::btnCopyIDClick(gui::TObject&) {
    device::TDevice& device = CurrentDevice();
    const std::string text = CopyIdsText(device.GetInstanceId(), device.GetHardwareIds());
    gui::SetClipboardText(App().Services().Clipboard(), App().Handle(), text);
}

void TfrmSetup::BitBtn_CloseClick(gui::TObject&) {
    Close();
}

void TfrmSetup::WMDeviceChange(gui::TMessage&) {
    RebuildIgnoringFailure();
}

void TfrmSetup::RebuildIgnoringFailure() {
    try {
        RebuildDeviceList();
    } catch (...) {
        // A rebuild the user did not ask for (after a device change, a repair, a
        // reverted restart) reports no failure: the window shows the list it could
        // build, an empty one when it could build none, and nothing else is right to
        // do with an error nobody asked to see.
    }
}

}  // namespace ui
