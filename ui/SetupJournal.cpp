// TfrmSetup: the undo journal in the window. The filter and rate commands record each
// change before they write it; "Undo last change" and "Restore all changes" in the
// grid's context menu take changes back.
#include <string>

#include "device/Device.h"
#include "journal/JournalStore.h"
#include "journal/Undo.h"
#include "ui/SetupF.h"

namespace {

constexpr const char* kUndoLastCaption = "&Undo last change";
constexpr const char* kRestoreAllCaption = "&Restore all changes";

constexpr const char* kJournalCaption = " Undo journal";
constexpr UINT kNotRecordedStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kRestoreStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kReportStyle = MB_OK | MB_ICONINFORMATION;
constexpr UINT kTroubleStyle = MB_OK | MB_ICONWARNING;

constexpr const char* kRestoreQuestion =
    "Put back every setting this program has changed, newest change first?";

}  // namespace

void TfrmSetup::AddJournalMenuItems() {
    pmDevices->Add(kUndoLastCaption, [this](gui::TObject& sender) { miUndoLastClick(sender); });
    pmDevices->Add(kRestoreAllCaption, [this](gui::TObject& sender) { miRestoreAllClick(sender); });
}

BeforeWrite TfrmSetup::RecordFirst(TDevice& device, bool& recorded) {
    return [this, &device, &recorded](const PlannedChange& change) {
        // A device that cannot name itself is gone (unplugged meanwhile): a write would
        // fail anyway, and nothing is written that the journal could not name.
        if (device.GetInstanceId().empty()) {
            recorded = false;
            return false;
        }
        // What the device runs with until its next restart, for the wait after it.
        started_.NoteBeforeChange(device.GetInstanceId(), confirm::ReadDriveSettings(device));
        // A journal that can never be kept here is said once, not asked at every change.
        if (const std::string notKept = JournalNotKeptHere(); !notKept.empty()) {
            if (!journalNotKeptShown_) {
                journalNotKeptShown_ = true;
                App().MessageBoxA(Handle(), notKept, kJournalCaption, kTroubleStyle);
            }
            return true;
        }
        const std::string failure = RecordChange(device, change);
        if (failure.empty()) {
            return true;
        }
        const std::string question =
            "This change cannot be recorded, so it could not be undone later:\n\n" + failure +
            "\n\nMake the change anyway?";
        recorded = Ask(question.c_str(), kJournalCaption, kNotRecordedStyle);
        return recorded;
    };
}

void TfrmSetup::miUndoLastClick(gui::TObject&) {
    ShowUndoReport(UndoLastChange());
}

void TfrmSetup::miRestoreAllClick(gui::TObject&) {
    if (!Ask(kRestoreQuestion, kJournalCaption, kRestoreStyle)) {
        return;
    }
    ShowUndoReport(RestoreAll());
}

void TfrmSetup::ShowUndoReport(const UndoReport& report) {
    if (report.undone > 0 && ListCount() > 0) {
        SyncControls(dgDevices->Row() - dgDevices->FixedRows);
        dgDevices->Repaint();
    }
    const UINT style =
        report.left > 0 || (report.undone == 0 && !report.nothing) ? kTroubleStyle : kReportStyle;
    App().MessageBoxA(Handle(), report.message, kJournalCaption, style);
}
