#include "confirm/Watch.h"

#include <algorithm>

namespace confirm {

Watch::Watch(WatchedDevice device, LONGLONG start, LONGLONG frequency, int waitSeconds,
             int countdownSeconds)
    : device_(std::move(device)),
      frequency_(frequency),
      waitSeconds_(waitSeconds),
      countdownSeconds_(countdownSeconds),
      askFrom_(start + static_cast<LONGLONG>(waitSeconds) * frequency) {
    // Nothing the program can read will ever come: ask at once.
    if (device_.collections.empty()) {
        stage_ = Stage::Asking;
        askFrom_ = start;
    }
}

bool Watch::Report(const std::string& collectionId) {
    if (stage_ != Stage::Watching ||
        std::find(device_.collections.begin(), device_.collections.end(), collectionId) ==
            device_.collections.end()) {
        return false;
    }
    stage_ = Stage::Confirmed;
    return true;
}

Stage Watch::Tick(LONGLONG now) {
    if (stage_ == Stage::Watching && now >= askFrom_) {
        stage_ = Stage::Asking;
    }
    if (stage_ == Stage::Asking && SecondsLeft(now) == 0) {
        stage_ = Stage::Revert;
    }
    return stage_;
}

void Watch::Answer(bool keep) {
    if (stage_ == Stage::Asking) {
        stage_ = keep ? Stage::Kept : Stage::Revert;
    }
}

int Watch::SecondsLeft(LONGLONG now) const {
    const LONGLONG end = askFrom_ + static_cast<LONGLONG>(countdownSeconds_) * frequency_;
    if (now >= end) {
        return 0;
    }
    const LONGLONG left = end - std::max(now, askFrom_);
    return static_cast<int>((left + frequency_ - 1) / frequency_);
}

}  // namespace confirm
