// --confirm SECONDS of set and apply on the simulated machine: the device's own reports
// confirm the restart; a device that sends nothing gets its filter and rate back
// through the undo journal, is restarted again, and the command ends with its own code.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/AsciiCase.h"
#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "ui/headless/SetupTestMachine.h"

using namespace cli_test;
using namespace setup_test;

namespace {

// A collection named as Windows names them, under Mouse M (filter on, rate 250).
const std::string kWatchedCollection = "HID\\VID_3333&PID_4444\\7&1A&0&0000";

struct ConfirmCliTest : ::testing::Test {
    SetupMachine m;
    std::vector<std::string> moved;

    ConfirmCliTest() {
        m.machine.AddDevice(SetupMachine::Plan(kWatchedCollection, sim::kClassMouse, "mouse"),
                            m.machine.NodeOf(kHidM));
    }
    Mover Hand() {
        return [this](const std::vector<std::string>& collections, double ms) {
            moved.insert(moved.end(), collections.begin(), collections.end());
            for (const std::string& collection : collections) {
                sim::Move(m.machine, collection, ms);
            }
        };
    }
    std::size_t Count(const std::string& part) {
        const std::string& text = m.machine.disk().Get(kJournal).content;
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            ++n;
        }
        return n;
    }
};

}  // namespace

TEST_F(ConfirmCliTest, ReportsConfirmAndTheChangeStays) {
    const CliRun run =
        Quorvin({"set", kHidM, "--rate", "1000", "--restart", "--confirm", "5"}, {}, Hand());
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(std::find(moved.begin(), moved.end(), kWatchedCollection), moved.end());
    EXPECT_NE(run.out.find("rate 250 -> 1000, restart done, confirmed by its reports"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(1));
    EXPECT_EQ(m.machine.CountCalls("SetupDiCallClassInstaller"), 1u);
}

TEST_F(ConfirmCliTest, SilenceRevertsThroughTheJournalAndRestartsAgain) {
    sim::SetSilentAtStoredRate(m.machine, kWatchedCollection);
    sim::SetSilentAtStoredRate(m.machine, base::UpperAscii("HID\\" + kHidM.substr(4) + "\\C"));
    const LONGLONG start = sim::Clock(m.machine);
    const CliRun run = Quorvin(
        {"set", kHidM, "--rate", "1000", "--restart", "--confirm", "5", "--json"}, {}, Hand());
    EXPECT_EQ(run.code, cli::kExitReverted) << run.err;
    EXPECT_NE(run.out.find("\"restart\":\"done\",\"confirm\":\"reverted\",\"confirmNote\":\"no "
                           "reports within 5 s: reverted, restart done\""),
              std::string::npos)
        << run.out;
    // The whole wait on the virtual clock, then the rate as it was, both changes in the
    // journal, and the revert's restart.
    EXPECT_GE(sim::Clock(m.machine) - start, sim::Ticks(5000));
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));
    EXPECT_EQ(Count("setting rate"), 2u);
    EXPECT_EQ(m.machine.CountCalls("SetupDiCallClassInstaller"), 2u);
    EXPECT_EQ(sim::EffectiveInterval(m.machine, kWatchedCollection), 4.0);
}

TEST_F(ConfirmCliTest, ConfirmNeedsARestartAndAFewSeconds) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set", kHidM, "--rate", "1000", "--confirm", "5"},
          {"set", kHidM, "--rate", "1000", "--restart", "--confirm", "0"},
          {"set", kHidM, "--rate", "1000", "--restart", "--confirm", "soon"},
          {"apply", "-", "--confirm", "3"}}) {
        m.machine.ClearCalls();
        const CliRun run = Quorvin(args);
        EXPECT_EQ(run.code, cli::kExitBadUsage) << args.back();
        EXPECT_EQ(ChangingCalls(m.machine), 0u);
    }
    // A restart that changes nothing has nothing to confirm: nothing is waited for.
    const LONGLONG start = sim::Clock(m.machine);
    const CliRun run = Quorvin({"set", kHidM, "--restart", "--confirm", "5"}, {}, Hand());
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(sim::Clock(m.machine), start);
}
