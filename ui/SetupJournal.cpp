// TfrmSetup: the undo journal in the window. "Undo last change" and "Restore all
// changes" in the grid's context menu take changes back (commands/JournalCommands).
#include <string>

#include "commands/JournalCommands.h"
#include "confirm/DriveSettings.h"
#include "ui/SetupF.h"
#include "ui/WindowHost.h"

namespace ui {

namespace {

constexpr const char* kUndoLastCaption = "&Undo last change";
constexpr const char* kRestoreAllCaption = "&Restore all changes";

constexpr const char* kJournalCaption = " Undo journal";
constexpr UINT kReportStyle = MB_OK | MB_ICONINFORMATION;
constexpr UINT kTroubleStyle = MB_OK | MB_ICONWARNING;

}  // namespace

void TfrmSetup::AddJournalMenuItems() {
    pmDevices->Add(kUndoLastCaption, [this](gui::TObject& sender) { miUndoLastClick(sender); });
    pmDevices->Add(kRestoreAllCaption, [this](gui::TObject& sender) { miRestoreAllClick(sender); });
}

void TfrmSetup::NoteBeforeChange(device::TDevice& device) {
    // What the device runs with until its next restart, for the wait after it.
    started_.NoteBeforeChange(device.GetInstanceId(), confirm::ReadDriveSettings(device));
}

void TfrmSetup::miUndoLastClick(gui::TObject&) {
    ShowUndoReport(*commands::UndoLast().undo);
}

void TfrmSetup::miRestoreAllClick(gui::TObject&) {
    const commands::Result result = commands::RestoreAllChanges(*host_);
    if (result.undo) {
        ShowUndoReport(*result.undo);
    }
}

void TfrmSetup::ShowUndoReport(const journal::UndoReport& report) {
    if (report.undone > 0 && ListCount() > 0) {
        SyncControls(CurrentRow());
        dgDevices->Repaint();
    }
    const UINT style =
        report.left > 0 || (report.undone == 0 && !report.nothing) ? kTroubleStyle : kReportStyle;
    App().MessageBoxA(Handle(), report.message, kJournalCaption, style);
}

}  // namespace ui
