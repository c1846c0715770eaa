// The wait after a restart that changed how a device is driven. The device's own
// reports (any of its HID collections) confirm the change while the program waits;
// when none come within the wait, or the device has no collection whose reports the
// program can read, the user is asked whether to keep the change, with a countdown
// after which the change is taken back.
//
//   Watching --report--> Confirmed
//   Watching --wait over, or no collection--> Asking --"Keep"--> Kept
//                                             Asking --"Revert", or countdown over--> Revert
//
// Once the question is asked only its answer decides: a report then could be the key
// that answers it.
#pragma once

#include <string>
#include <vector>

#include "confirm/DriveSettings.h"
#include "platform/InputTypes.h"

namespace confirm {

inline constexpr int kWaitSeconds = 15;
inline constexpr int kCountdownSeconds = 15;

struct WatchedDevice {
    std::string instanceId;
    std::string name;                      // for the user: its description
    std::vector<std::string> collections;  // upper-case instance IDs of its HID collections
    bool keyboard = false;
    DriveSettings started;  // what it last started with and worked with
    DriveSettings changed;  // what it was restarted with now
};

enum class Stage { Watching, Asking, Confirmed, Kept, Revert };

class Watch {
  public:
    // The wait begins at `start` (counter ticks, `frequency` a second).
    Watch(WatchedDevice device, LONGLONG start, LONGLONG frequency, int waitSeconds = kWaitSeconds,
          int countdownSeconds = kCountdownSeconds);

    const WatchedDevice& Device() const { return device_; }
    Stage CurrentStage() const { return stage_; }
    bool Decided() const { return stage_ != Stage::Watching && stage_ != Stage::Asking; }

    // A report from the collection: true when it confirmed the change now.
    bool Report(const std::string& collectionId);
    // Moves the stage on by the clock; returns the stage reached.
    Stage Tick(LONGLONG now);
    // The user's answer to the question; ignored unless it is being asked.
    void Answer(bool keep);
    // Whole seconds left of the countdown, rounded up (the question shows them).
    int SecondsLeft(LONGLONG now) const;
    int WaitSeconds() const { return waitSeconds_; }
    // Whether the question has been put to the user (its window opened).
    bool Asked() const { return asked_; }
    void MarkAsked() { asked_ = true; }

  private:
    WatchedDevice device_;
    LONGLONG frequency_;
    int waitSeconds_;
    int countdownSeconds_;
    LONGLONG askFrom_;  // when the question appears
    Stage stage_ = Stage::Watching;
    bool asked_ = false;
};

}  // namespace confirm
