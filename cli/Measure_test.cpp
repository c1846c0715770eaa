// measure against the simulated machine's input: the figures of the device's own
// reports at the interval the machine gives it, through the whole loop of choosing a
// rate and restarting, and honest words for a device that is still or barely moved.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "platform/sim/SimInput.h"
#include "ui/headless/SetupTestMachine.h"

using namespace cli_test;
using namespace setup_test;

namespace {

// Collections with names Windows would give them (the test machine's own have four
// parts in their IDs, which no interface name carries).
const std::string kCollectionM = "HID\\VID_3333&PID_4444\\7&1A&0&0000";
const std::string kCollectionA = "HID\\VID_1111&PID_2222&MI_00\\7&2B&0&0000";

// The number after "key": in compact JSON.
double JsonNumber(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    EXPECT_NE(at, std::string::npos) << key << " in " << json;
    return at == std::string::npos ? -1 : std::stod(json.substr(at + key.size() + 3));
}

struct MeasureTest : ::testing::Test {
    SetupMachine m;
    std::vector<std::string> askedToMove;

    MeasureTest() {
        m.machine.AddDevice(SetupMachine::Plan(kCollectionM, sim::kClassMouse, "mouse"),
                            m.machine.NodeOf(kHidM));
        m.machine.AddDevice(SetupMachine::Plan(kCollectionA, sim::kClassMouse, "mouse"),
                            m.machine.NodeOf(kHidA));
    }

    // Moves the measured mouse for `share` of the measuring time, and another
    // device's mouse alongside it for the whole time when `others` is set.
    Mover Hand(double share = 1.0, bool others = false) {
        return [this, share, others](const std::vector<std::string>& collections, double ms) {
            askedToMove = collections;
            sim::Move(m.machine, kCollectionM, ms * share);
            if (others) {
                sim::Move(m.machine, kCollectionA, ms);
            }
        };
    }
};

TEST_F(MeasureTest, TheWholeLoopOwnRateThenTheStoredRateAfterRestartThenOwnAgain) {
    // The filter and rate 250 are stored, but the device has not restarted since.
    CliRun run = Quorvin({"measure", kHidM, "--seconds", "2", "--json"}, {}, Hand());
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(std::find(askedToMove.begin(), askedToMove.end(), kCollectionM), askedToMove.end());
    EXPECT_NEAR(JsonNumber(run.out, "medianMs"), 8.0, 0.4) << run.out;
    EXPECT_NEAR(JsonNumber(run.out, "reports"), 250, 15);
    EXPECT_EQ(JsonNumber(run.out, "expectedMs"), 4);

    ASSERT_EQ(Quorvin({"set", kHidM, "--rate", "1000", "--restart"}).code, 0);
    run = Quorvin({"measure", kHidM, "--seconds", "2", "--json"}, {}, Hand());
    EXPECT_NEAR(JsonNumber(run.out, "medianMs"), 1.0, 0.05) << run.out;
    EXPECT_NEAR(JsonNumber(run.out, "runHz"), 1000, 60);
    EXPECT_NEAR(JsonNumber(run.out, "lastSecondHz"), 1000, 60);
    EXPECT_NE(run.out.find("\"enough\":true,\"idle\":false"), std::string::npos);

    ASSERT_EQ(Quorvin({"set", kHidM, "--filter", "off", "--restart"}).code, 0);
    run = Quorvin({"measure", "3", "--mice", "--seconds", "2"}, {}, Hand());
    EXPECT_NE(run.out.find("Whole run: 125 reports/s"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Expected from the stored rate: 1000 reports/s"), std::string::npos);
}

TEST_F(MeasureTest, AnotherDevicesReportsNeverCount) {
    const CliRun alone = Quorvin({"measure", kHidM, "--seconds", "1", "--json"}, {}, Hand());
    const CliRun together =
        Quorvin({"measure", kHidM, "--seconds", "1", "--json"}, {}, Hand(1.0, true));
    EXPECT_NEAR(JsonNumber(together.out, "reports"), JsonNumber(alone.out, "reports"), 2);
    EXPECT_NEAR(JsonNumber(together.out, "medianMs"), 8.0, 0.4) << together.out;
}

TEST_F(MeasureTest, AStillDeviceIsNotEnoughDataAndAResterIsIdleNotZero) {
    CliRun run = Quorvin({"measure", kHidM, "--seconds", "1"}, {}, Hand(0.0));
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("Reports measured: 0\n  Not enough data yet.\n"), std::string::npos)
        << run.out;
    run = Quorvin({"measure", kHidM, "--seconds", "1", "--json"}, {}, Hand(0.0));
    EXPECT_NE(run.out.find("\"enough\":false,\"idle\":true,\"lastSecondHz\":null,\"runHz\":null"),
              std::string::npos)
        << run.out;

    // Moved for the first half second of two, then put down.
    run = Quorvin({"measure", kHidM, "--seconds", "2"}, {}, Hand(0.25));
    EXPECT_NE(run.out.find("Now: idle"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Whole run: 12"), std::string::npos) << "125/s while it moved";
}

TEST_F(MeasureTest, TheWindowAndTheRegistrationEndWithTheCommand) {
    ASSERT_EQ(Quorvin({"measure", kHidM, "--seconds", "1"}, {}, Hand()).code, 0);
    EXPECT_TRUE(sim::Registrations(m.machine).empty());
    EXPECT_EQ(m.machine.CountCalls("CreateWindowExA"), 1u);
    EXPECT_EQ(m.machine.CountCalls("DestroyWindow"), 1u);
    EXPECT_EQ(ChangingCalls(m.machine), 0u);

    // A platform that refuses raw input: a failure, and no window left behind.
    m.machine.AddFault(sim::Fault("RegisterRawInputDevices", 1));
    const CliRun run = Quorvin({"measure", kHidM, "--seconds", "1"}, {}, Hand());
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_EQ(run.err, "quorvin: Windows refused to deliver raw input\n");
    EXPECT_EQ(m.machine.CountCalls("DestroyWindow"), 2u);
}

}  // namespace
