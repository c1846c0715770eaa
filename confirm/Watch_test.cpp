// The wait after a restart: which reports confirm, when the question comes, how the
// countdown reads and what ends it; and which differences in the settings count.
#include <gtest/gtest.h>

#include "confirm/DriveSettings.h"
#include "confirm/Watch.h"

using confirm::Stage;
using confirm::Watch;

namespace {

constexpr LONGLONG kSecond = 1000;

confirm::WatchedDevice Mouse(std::vector<std::string> collections = {"HID\\M\\C1", "HID\\M\\C2"}) {
    confirm::WatchedDevice device;
    device.instanceId = "USB\\M\\1";
    device.collections = std::move(collections);
    return device;
}

config::StoredSetting Present(std::string bytes) {
    return {config::StoredSetting::State::Present, std::move(bytes)};
}

}  // namespace

TEST(ConfirmWatch, AnyOfTheDevicesCollectionsConfirmsWhileWaitingOnly) {
    Watch watch(Mouse(), 100 * kSecond, kSecond);
    EXPECT_FALSE(watch.Report("HID\\OTHER\\C"));
    EXPECT_EQ(watch.Tick(114 * kSecond), Stage::Watching);
    EXPECT_TRUE(watch.Report("HID\\M\\C2"));
    EXPECT_EQ(watch.CurrentStage(), Stage::Confirmed);
    EXPECT_TRUE(watch.Decided());
    // Decided stays decided, whatever the clock does.
    EXPECT_EQ(watch.Tick(200 * kSecond), Stage::Confirmed);

    // Once the question is up, a report no longer answers it: it may be the very key
    // that answers the question.
    Watch asked(Mouse(), 0, kSecond);
    EXPECT_EQ(asked.Tick(15 * kSecond), Stage::Asking);
    EXPECT_FALSE(asked.Report("HID\\M\\C1"));
    EXPECT_EQ(asked.CurrentStage(), Stage::Asking);
}

TEST(ConfirmWatch, SilenceAsksThenTheCountdownReverts) {
    Watch watch(Mouse(), 10 * kSecond, kSecond);
    EXPECT_EQ(watch.Tick(25 * kSecond - 1), Stage::Watching);
    EXPECT_EQ(watch.Tick(25 * kSecond), Stage::Asking);
    EXPECT_EQ(watch.SecondsLeft(25 * kSecond), 15);
    EXPECT_EQ(watch.SecondsLeft(25 * kSecond + 1), 15);  // rounded up
    EXPECT_EQ(watch.SecondsLeft(39 * kSecond), 1);
    EXPECT_EQ(watch.Tick(40 * kSecond - 1), Stage::Asking);
    EXPECT_EQ(watch.Tick(40 * kSecond), Stage::Revert);
}

TEST(ConfirmWatch, TheAnswerCountsOnlyWhileAsked) {
    Watch early(Mouse(), 0, kSecond);
    early.Answer(false);  // no question yet
    EXPECT_EQ(early.CurrentStage(), Stage::Watching);

    for (const bool keep : {true, false}) {
        Watch watch(Mouse(), 0, kSecond);
        watch.Tick(16 * kSecond);
        watch.Answer(keep);
        EXPECT_EQ(watch.CurrentStage(), keep ? Stage::Kept : Stage::Revert);
        watch.Answer(!keep);  // the first answer stands
        EXPECT_EQ(watch.CurrentStage(), keep ? Stage::Kept : Stage::Revert);
    }
}

TEST(ConfirmWatch, ADeviceWithNothingToReadIsAskedAtOnceWithTheWholeCountdown) {
    Watch watch(Mouse({}), 50 * kSecond, kSecond);
    EXPECT_EQ(watch.CurrentStage(), Stage::Asking);
    EXPECT_EQ(watch.SecondsLeft(50 * kSecond), 15);
    EXPECT_EQ(watch.Tick(65 * kSecond), Stage::Revert);
}

TEST(ConfirmSettings, OnlyTheFilterAndTheRateChangeHowADeviceIsDriven) {
    const confirm::DriveSettings plain{Present(std::string("mfltx\0\0", 7)), {}};
    confirm::DriveSettings filtered = plain;
    filtered.filters = Present(std::string("QUORVIN\0mfltx\0\0", 15));
    EXPECT_TRUE(filtered.FilterOn());
    EXPECT_TRUE(filtered.DrivesOtherwise(plain));
    // Another entry of the list, or its order, is not this program's change.
    confirm::DriveSettings reordered = plain;
    reordered.filters = Present(std::string("other\0mfltx\0\0", 13));
    EXPECT_FALSE(reordered.DrivesOtherwise(plain));
    confirm::DriveSettings fast = plain;
    fast.rate = Present(std::string("\1\0\0\0", 4));
    EXPECT_TRUE(fast.DrivesOtherwise(plain));
    EXPECT_FALSE(fast.DrivesOtherwise(fast));
}

TEST(ConfirmSettings, TheFirstChangeKeepsWhatTheDeviceStartedWith) {
    confirm::StartedSettings started;
    const confirm::DriveSettings before{{}, {}};
    const confirm::DriveSettings after{{}, Present(std::string("\4\0\0\0", 4))};
    EXPECT_FALSE(started.Of("usb\\m\\1"));
    started.NoteBeforeChange("usb\\m\\1", before);
    started.NoteBeforeChange("USB\\M\\1", after);  // a second change before a restart
    EXPECT_EQ(started.Of("USB\\M\\1"), before);
    started.NoteStarted("USB\\M\\1", after);
    EXPECT_EQ(started.Of("usb\\m\\1"), after);
}
