// TfrmSetup: a change the device itself confirms. The Restart button's restart is
// followed by a wait for the device's own reports when it changed how the device is
// driven; silence brings the question "Keep these settings?", and an unanswered
// question or "Revert" takes the change back through the undo journal and restarts
// the device again.
#include <algorithm>
#include <string>

#include "commands/DeviceCommands.h"
#include "confirm/Revert.h"
#include "confirm/Words.h"
#include "device/Device.h"
#include "journal/Undo.h"
#include "ui/SetupF.h"
#include "ui/WindowHost.h"

namespace ui {

namespace {

constexpr const char* kRevertedCaption = " Keep these settings?";
constexpr UINT kRevertedStyle = MB_OK | MB_ICONWARNING;

}  // namespace

const confirm::Watch* TfrmSetup::ConfirmationOf(const std::string& instanceId) const {
    for (const confirm::Watch& watch : watches_) {
        if (watch.Device().instanceId == instanceId) {
            return &watch;
        }
    }
    return nullptr;
}

void TfrmSetup::WatchRestart(confirm::WatchedDevice watched,
                             const restart::RestartOutcome& outcome) {
    using Kind = restart::RestartOutcome::Kind;
    // A restart that did not happen changes nothing about a wait in progress.
    if (watched.instanceId.empty() || outcome.kind == Kind::Failed ||
        outcome.kind == Kind::CompanionMissing || outcome.kind == Kind::NeedsReboot) {
        return;
    }
    // Restarted again: a wait of the device starts over, from what it last worked with.
    EndWatch(watched.instanceId);
    // A problem with the filter was reverted and told already.
    if (outcome.kind != Kind::Restarted) {
        return;
    }
    const std::optional<confirm::DriveSettings> started = started_.Of(watched.instanceId);
    if (!started || !watched.changed.DrivesOtherwise(*started)) {
        started_.NoteStarted(watched.instanceId, watched.changed);
        return;
    }
    watched.started = *started;
    watches_.emplace_back(std::move(watched), input::CounterNow(), input::CounterFrequency());
    if (OnConfirmWait) {
        OnConfirmWait();
    }
    ConfirmTick(input::CounterNow());
}

bool TfrmSetup::ConfirmReport(const input::Report& report) {
    if (report.collectionId.empty()) {
        return false;
    }
    for (confirm::Watch& watch : watches_) {
        if (watch.Report(report.collectionId)) {
            const std::string id = watch.Device().instanceId;
            started_.NoteStarted(id, watch.Device().changed);
            EndWatch(id);
            return true;
        }
    }
    return false;
}

void TfrmSetup::ConfirmTick(LONGLONG now) {
    // Copies: a question or a revert's message runs a message loop that may tick again.
    std::vector<std::string> ask;
    std::vector<std::string> revert;
    for (confirm::Watch& watch : watches_) {
        const std::string& id = watch.Device().instanceId;
        switch (watch.Tick(now)) {
            case confirm::Stage::Asking:
                if (!watch.Asked()) {
                    watch.MarkAsked();
                    ask.push_back(id);
                }
                break;
            case confirm::Stage::Revert:
                revert.push_back(id);
                break;
            default:
                break;
        }
    }
    for (const std::string& id : ask) {
        if (OnAskToKeep && ConfirmationOf(id) != nullptr) {
            OnAskToKeep(id);
        }
    }
    for (const std::string& id : revert) {
        if (const std::optional<confirm::Watch> watch = EndWatch(id)) {
            RevertUnconfirmed(*watch, false);
        }
    }
}

void TfrmSetup::AnswerConfirmation(const std::string& instanceId, bool keep) {
    const confirm::Watch* found = ConfirmationOf(instanceId);
    if (found == nullptr || found->CurrentStage() != confirm::Stage::Asking) {
        return;
    }
    std::optional<confirm::Watch> watch = EndWatch(instanceId);
    watch->Answer(keep);
    if (keep) {
        started_.NoteStarted(instanceId, watch->Device().changed);
        return;
    }
    RevertUnconfirmed(*watch, true);
}

std::optional<confirm::Watch> TfrmSetup::EndWatch(const std::string& instanceId) {
    std::optional<confirm::Watch> ended;
    const auto found = std::find_if(
        watches_.begin(), watches_.end(),
        [&](const confirm::Watch& watch) { return watch.Device().instanceId == instanceId; });
    if (found == watches_.end()) {
        return ended;
    }
    ended = std::move(*found);
    watches_.erase(found);
    if (ended->Asked() && OnConfirmSettled) {
        OnConfirmSettled(instanceId);
    }
    return ended;
}

void TfrmSetup::RevertUnconfirmed(const confirm::Watch& watch, bool answered) {
    // Taking the change back must not wait on a question whose default is "No": a journal
    // that cannot record it is told in the message instead.
    std::string unrecorded;
    const confirm::RecordWrite record = [&](device::TDevice& device,
                                            const config::PlannedChange& change) {
        const std::string failure = journal::RecordChange(device, change);
        if (!failure.empty()) {
            unrecorded = failure;
        }
        return true;
    };
    const confirm::RestartWith restart = [this](device::TDevice& device) {
        return *commands::Restart(device, *host_).restart;
    };
    const confirm::RevertResult result = confirm::RevertToStarted(watch.Device(), record, restart);
    const std::string text = confirm::Cat(
        {confirm::DescribeRevert(watch.Device(), result, answered),
         unrecorded.empty() ? "" : "\n\nThe change back is not in the undo journal: ", unrecorded});
    // The grid shows the settings as they now are.
    RebuildIgnoringFailure();
    App().MessageBoxA(Handle(), text, kRevertedCaption, kRevertedStyle);
}

}  // namespace ui
