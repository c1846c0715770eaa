#include "cli/ConfirmChange.h"

#include <algorithm>

#include "cli/ExitCodes.h"
#include "restart/Restart.h"
#include "confirm/Revert.h"
#include "confirm/WatchedDevice.h"
#include "device/Device.h"
#include "input/RawInputReader.h"
#include "journal/Undo.h"

namespace cli {

namespace {

constexpr int kMostSeconds = 3600;

int ParseSeconds(const std::string& text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > kMostSeconds) {
            value = 0;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kMostSeconds) {
        throw UsageError("bad --confirm \"" + text + "\" (a whole number of seconds from 1 to " +
                         std::to_string(kMostSeconds) + ")");
    }
    return value;
}

std::string RevertNote(const confirm::RevertResult& result, int seconds) {
    using Kind = confirm::RevertResult::Kind;
    std::string note = "no reports within " + std::to_string(seconds) + " s: ";
    switch (result.kind) {
        case Kind::Gone:
            return note + "not reverted, the device is not known to Windows any more";
        case Kind::Stopped:
        case Kind::NotWritten:
            note += "the earlier settings could not all be put back";
            break;
        case Kind::Reverted:
            note += "reverted";
            break;
    }
    if (!result.restarted) {
        return note + ", the device is not plugged in";
    }
    if (result.restart.kind == restart::RestartOutcome::Kind::NeedsReboot) {
        return note + ", reboot needed";
    }
    if (result.restart.kind != restart::RestartOutcome::Kind::Restarted ||
        result.after.HasProblem()) {
        return note + ", restart failed";
    }
    return note + ", restart done";
}

}  // namespace

std::unique_ptr<ChangeConfirmation> ChangeConfirmation::FromArguments(const Arguments& args) {
    const std::string* seconds = args.Value(kConfirmOption);
    if (seconds == nullptr) {
        return nullptr;
    }
    const int value = ParseSeconds(*seconds);
    if (!args.Has("restart")) {
        throw UsageError("--confirm needs --restart: only a restart is confirmed");
    }
    return std::unique_ptr<ChangeConfirmation>(new ChangeConfirmation(value));
}

confirm::WatchedDevice ChangeConfirmation::Before(device::TDevice& device) {
    confirm::WatchedDevice watched = confirm::WatchedDeviceOf(device);
    watched.started = watched.changed;
    return watched;
}

void ChangeConfirmation::AfterRestart(confirm::WatchedDevice watched, std::size_t changeIndex,
                                      const DeviceChange& change) {
    if (change.restart != ActionResult::Done || change.failed) {
        return;
    }
    if (!watched.changed.DrivesOtherwise(watched.started)) {
        return;
    }
    pending_.push_back({changeIndex, std::move(watched)});
}

void ChangeConfirmation::Wait(std::vector<DeviceChange>& changes, Console& console) {
    if (pending_.empty()) {
        return;
    }
    std::size_t waiting = 0;
    for (Pending& pending : pending_) {
        waiting += pending.device.collections.empty() ? 0 : 1;
        if (console.moveDevice && !pending.device.collections.empty()) {
            console.moveDevice(pending.device.collections, seconds_ * 1000.0);
        }
    }
    if (waiting > 0 && console.progress) {
        console.progress("Use the changed device(s) within " + std::to_string(seconds_) +
                         " s, or the change is taken back.");
    }
    const LONGLONG frequency = input::CounterFrequency();
    const LONGLONG end = input::CounterNow() + static_cast<LONGLONG>(seconds_) * frequency;
    input::RawInputReader reader;
    for (LONGLONG now = input::CounterNow(); waiting > 0 && now < end; now = input::CounterNow()) {
        MSG message{};
        while (plat::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_INPUT) {
                const std::optional<input::Report> report =
                    reader.Read(reinterpret_cast<HRAWINPUT>(message.lParam),
                                GET_RAWINPUT_CODE_WPARAM(message.wParam));
                for (Pending& pending : pending_) {
                    const auto& own = pending.device.collections;
                    if (report && !pending.confirmed &&
                        std::find(own.begin(), own.end(), report->collectionId) != own.end()) {
                        pending.confirmed = true;
                        --waiting;
                    }
                }
            }
            plat::DispatchMessageA(&message);
        }
        if (waiting == 0) {
            break;
        }
        const LONGLONG left = (end - now) * 1000 / frequency + 1;
        if (plat::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left),
                                            QS_RAWINPUT) == WAIT_FAILED) {
            throw CommandFailed("waiting for raw input failed");
        }
    }
    for (Pending& pending : pending_) {
        DeviceChange& change = changes.at(pending.changeIndex);
        if (pending.confirmed) {
            change.confirm = ConfirmResult::Confirmed;
            continue;
        }
        // The change is taken back even when the journal cannot record it: a device
        // that sends nothing must not stay so for want of a record.
        std::string unrecorded;
        const confirm::RecordWrite record = [&](device::TDevice& device,
                                                const config::PlannedChange& planned) {
            const std::string failure = journal::RecordChange(device, planned);
            if (!failure.empty()) {
                unrecorded = failure;
            }
            return true;
        };
        const confirm::RestartWith restart = [](device::TDevice& device) {
            return restart::RequestDeviceRestart(device, nullptr);
        };
        const confirm::RevertResult result =
            confirm::RevertToStarted(pending.device, record, restart);
        const bool back = result.kind == confirm::RevertResult::Kind::Reverted;
        change.confirm = back ? ConfirmResult::Reverted : ConfirmResult::NotReverted;
        change.confirmNote = RevertNote(result, seconds_);
        if (!unrecorded.empty()) {
            change.confirmNote += " (not in the undo journal: " + unrecorded + ")";
        }
    }
}

}  // namespace cli
