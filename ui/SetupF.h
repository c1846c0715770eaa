// TfrmSetup: the setup window's behaviour. It owns the one device list, maps grid
// rows to devices, shows the device to process in the controls, paints the device
// grid and carries out every command behind the controls. The controls come from
// the layout data; a realisation (Win32 or headless) mirrors them.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "confirm/DriveSettings.h"
#include "confirm/Watch.h"
#include "restart/RestartOutcome.h"
#include "device/DeviceList.h"
#include "input/ActivityMarks.h"
#include "input/CollectionRows.h"
#include "input/RawInputReader.h"
#include "measure/MeasureLines.h"
#include "ui/CopyIdsText.h"
#include "ui/MeasureView.h"
#include "ui/RowReads.h"
#include "ui/gui/Button.h"
#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/DrawGrid.h"
#include "ui/gui/Form.h"
#include "ui/gui/Label.h"
#include "ui/gui/Message.h"
#include "ui/gui/Panel.h"
#include "ui/gui/PopupMenu.h"

namespace journal {
struct UndoReport;
}  // namespace journal
namespace health {
struct FilterHealth;
}  // namespace health
namespace commands {
struct Result;
}

namespace ui {

class WindowHost;

inline constexpr int kHintHidePause = 10000;

inline constexpr gui::TColor kHubColor = 0xCCCCFF;        // the device to process is a hub
inline constexpr gui::TColor kHubParentColor = 0xCCFFCC;  // ... is none, but its parent is

class TfrmSetup : public gui::TForm {
  public:
    // Loads the layout and scales it to the application's density. FormCreate
    // runs later, from DoCreate.
    explicit TfrmSetup(gui::TApplication& app);
    ~TfrmSetup() override;

    gui::TPanel* PanelFutt;
    gui::TButton* BitBtn_Install;
    gui::TButton* BitBtn_Close;
    gui::TDrawGrid* dgDevices;
    gui::TCheckBox* cbFilter;
    gui::TComboBox* cbRate;
    gui::TLabel* Label1;
    gui::TButton* btnApply;
    gui::TPanel* pnlHEAD;
    gui::TCheckBox* cbMouseOnly;
    gui::TCheckBox* cbParent;
    gui::TButton* btnCopyID;
    // The grid's context menu: commands beyond the window's buttons, so the layout
    // stays as designed. Each feature adds its items in BuildGridMenu.
    gui::TPopupMenu* pmDevices;

    // Null until the first successful build and after a failed one.
    std::unique_ptr<device::TDeviceList> DeviceList;
    bool Updating = false;
    bool AllDevicesMode = false;

    void FormCreate(gui::TObject& Sender);
    void FormShow(gui::TObject& Sender);
    void FormDestroy(gui::TObject& Sender);

    // The device to process of list index i: the listed device, or its parent
    // while "Process Parent" is checked.
    device::TDevice& DeviceForRow(int i);
    device::TDevice& CurrentDevice();
    // The list index a grid row stands for (negative for the title row).
    int ListIndexOfRow(int row) const;
    // The list index of the grid's current row.
    int CurrentRow() const;
    void RebuildDeviceList();
    void SyncControls(int i);

    void dgDevicesDrawCell(gui::TObject& Sender, int ACol, int ARow, const gui::TRect& Rect,
                           gui::TGridDrawState State);
    void dgDevicesSelectCell(gui::TObject& Sender, int ACol, int ARow, bool& CanSelect);

    void cbFilterClick(gui::TObject& Sender);
    void cbRateClick(gui::TObject& Sender);
    void cbParentClick(gui::TObject& Sender);
    void cbMouseOnlyClick(gui::TObject& Sender);
    void btnApplyClick(gui::TObject& Sender);
    void BitBtn_InstallClick(gui::TObject& Sender);
    void btnCopyIDClick(gui::TObject& Sender);
    void BitBtn_CloseClick(gui::TObject& Sender);
    void WMDeviceChange(gui::TMessage& Message);
    void pmDevicesPopup(gui::TObject& Sender);
    void miUndoLastClick(gui::TObject& Sender);
    void miRestoreAllClick(gui::TObject& Sender);

    // --- what a screen reader reads (SetupAccess.cpp) ---
    // List index i read as a person would, from the same reads as its cells:
    // "USB Input Device, parent USB Root Hub, children HID-compliant mouse, mouse yes,
    // filter yes, rate 250". Parts without text are left out.
    std::string RowName(int i);
    // Its cells after the first under their column titles ("Parent Name: ...").
    std::string RowDescription(int i);

    // --- what the devices themselves say (SetupInput.cpp) ---
    // The hint of list index i: the listed device's own name and its IDs.
    std::string RowHint(int i);
    // A report from a device: marks its row. False when no listed row sent it.
    bool InputArrived(const input::Report& report);
    // How strongly list index i's activity mark shows now, 0 to 1.
    double ActivityLevel(int i, LONGLONG now) const;
    bool ActivityShowing(LONGLONG now) const;
    // The HID collections of list index i, whose reports a measurement counts.
    std::vector<std::string> CollectionsOfRow(int i);
    // What the device to process of list index i holds that the measured interval
    // is compared with: the stored rate's interval, the filter, a pending restart.
    measure::RateComparison MeasuredSetting(int i);
    // Opens the measuring window for list index i; the realisation sets it.
    std::function<void(int i)> OnMeasure;

    // --- the filter's health (SetupHealth.cpp) ---
    // Opens the health view, a window of its own; the realisation sets it.
    std::function<void()> OnFilterHealth;
    // Takes the filter off the view's devices that it keeps from starting, after one
    // question: each change recorded in the undo journal first, every other entry of
    // their lists kept, present devices restarted; then one message tells what became
    // of each. False when there was nothing to repair or the answer was "No".
    bool RepairFilterHealth(const health::FilterHealth& health);

    // --- changes the device confirms (SetupConfirm.cpp) ---
    // After a Restart that changed how the device is driven, its own reports confirm
    // the change; when none come in time, the user is asked, and an unanswered
    // question or "Revert" takes the change back. The realisation passes every report
    // (whichever window is active) and ticks the clock while a wait is on.
    // True when the report confirmed a waiting change.
    bool ConfirmReport(const input::Report& report);
    // Moves the waits on: opens questions, takes back changes whose countdown ended.
    void ConfirmTick(LONGLONG now);
    // The user's answer to the question about the device.
    void AnswerConfirmation(const std::string& instanceId, bool keep);
    // The waits and questions in progress, oldest first.
    const std::vector<confirm::Watch>& Confirmations() const { return watches_; }
    const confirm::Watch* ConfirmationOf(const std::string& instanceId) const;
    // Set by the realisation: a wait began (tick the clock until Confirmations() is
    // empty); the question about a device is due; the device's wait is over (close its
    // question).
    std::function<void()> OnConfirmWait;
    std::function<void(const std::string& instanceId)> OnAskToKeep;
    std::function<void(const std::string& instanceId)> OnConfirmSettled;

  protected:
    bool Dispatch(gui::TMessage& message) override;

  private:
    friend class WindowHost;

    template <typename T>
    T* Control(const char* name);
    void BindHandlers();
    void BuildGridMenu();
    void AddJournalMenuItems();
    void ShowUndoReport(const journal::UndoReport& report);
    // The number of listed devices; a missing list counts as an empty one.
    int ListCount() const;
    // Steps 3 to 5 of a rebuild: row count, device controls, controls, repaint. The
    // device that was current is kept current when the new list holds it
    // (keptIndex, its index there); otherwise, with -1, the row position is kept.
    void ShowList(int keptIndex = -1);
    // The instance ID of the current row's listed device, or empty when there is none
    // or it cannot be read.
    std::string CurrentListedId();
    // The index in the list of the device with this instance ID, or -1.
    int IndexOfListed(const std::string& instanceId);
    // The filter command once Updating has been tested.
    void ApplyFilterChoice();
    // After a filter or rate command: the controls and the grid show the device again.
    void ShowSettingResult(const commands::Result& result);
    // The restart's one message, when it has something to tell.
    void ReportRestart(const restart::RestartOutcome& outcome);
    bool Ask(const char* text, const char* caption, UINT style);
    void RevertFilterBox();
    void RunHeldRebuild();
    // A rebuild nobody asked for (after a device change, a repair, a reverted restart):
    // its failure is not reported.
    void RebuildIgnoringFailure();
    // The list was built again: rows mean other devices now.
    void ListChanged();
    void AddInputMenuItems();
    void AddHealthMenuItems();
    void DrawActivityMark(int i, const gui::TRect& cell);
    input::CollectionRows& Rows();
    // After the Restart button's restart: waits for the device when its settings
    // differ from those it last worked with. watched was read before the restart.
    void WatchRestart(confirm::WatchedDevice watched, const restart::RestartOutcome& outcome);
    // Ends the device's wait (closing its question); the watch, if there was one.
    std::optional<confirm::Watch> EndWatch(const std::string& instanceId);
    void RevertUnconfirmed(const confirm::Watch& watch, bool answered);

    // While a filter question is open the device that the command resolved must
    // stay alive, so rebuilds wait until the last question has been answered.
    std::unique_ptr<gui::TPopupMenu> gridMenu_;
    // Answers the commands' questions with the window's message boxes.
    std::unique_ptr<WindowHost> host_;
    int openQuestions_ = 0;
    bool rebuildHeld_ = false;
    // Told once per run that this machine can keep no undo journal (JournalNotKeptHere).
    bool journalNotKeptShown_ = false;
    bool heldRebuildReportsFailure_ = false;
    // Made on first need after each build: most sessions never send input here.
    std::optional<input::CollectionRows> rows_;
    std::optional<input::ActivityMarks> marks_;
    // Per device (upper-case instance ID) whose filter or rate this window changed:
    // whether the change still waits for a Restart.
    std::map<std::string, bool> restartPending_;
    void NoteChangeAwaitingRestart(device::TDevice& device);
    // Before a change is written (through WindowHost): what the device runs with until
    // its next restart, kept for the wait after that restart.
    void NoteBeforeChange(device::TDevice& device);
    confirm::StartedSettings started_;
    std::vector<confirm::Watch> watches_;
    // The rows' reads of the paint in progress; none between paints.
    std::optional<RowReads> paintReads_;
};

}  // namespace ui
