// The commands below both front ends: the questions attaching the filter asks and
// their order, the journal's record before every write, and results that tell a
// write that did not take from one that was declined or had nothing to do.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "commands/DeviceCommands.h"
#include "commands/JournalCommands.h"
#include "commands/SettingCommands.h"
#include "config/ConfigTestBench.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimSystem.h"

namespace {

using commands::Question;
using commands::Result;

// Answers from a queue (yes once it runs dry) and remembers what it was asked.
struct ScriptedHost : commands::Host {
    std::deque<bool> answers;
    std::vector<commands::Ask> asked;
    int waits = 0;

    bool Confirm(const commands::Ask& ask) override {
        asked.push_back(ask);
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Wait(const std::function<void(const restart::MessagePump& pump)>& work) override {
        ++waits;
        work({});
    }
    void JournalNotKept(const std::string& why) override { notKept.push_back(why); }
    HWND Owner() const override { return config::ConfigBench::kOwner; }
    std::vector<std::string> notKept;

    std::vector<Question> Questions() const {
        std::vector<Question> questions;
        for (const commands::Ask& ask : asked) {
            questions.push_back(ask.question);
        }
        return questions;
    }
};

struct CommandLayer : ::testing::Test {
    config::ConfigBench bench;
    // Below a composite device, so attaching asks the usefulness question; the
    // driver's service is missing unless a test installs it.
    std::unique_ptr<device::TDevice> device = bench.Open(config::ConfigBench::kInterface);
    ScriptedHost host;

    std::size_t Writes() const {
        return bench.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA") +
               bench.machine.CountCalls("RegSetValueExA") +
               bench.machine.CountCalls("RegDeleteValueA");
    }
};

TEST_F(CommandLayer, AttachingAsksInOrderAndTheFirstNoStopsBeforeAnyWrite) {
    host.answers = {false};
    Result result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.kind, Result::Kind::Declined);
    EXPECT_EQ(result.declined, Question::Usefulness);
    EXPECT_EQ(host.Questions(), std::vector<Question>{Question::Usefulness});
    EXPECT_EQ(bench.machine.CountCalls("OpenSCManagerA"), 0u)
        << "the driver is looked at only once the device's questions are answered";

    host.asked.clear();
    host.answers = {true, false};
    result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.declined, Question::DriverMissing);
    EXPECT_EQ(host.Questions(),
              (std::vector<Question>{Question::Usefulness, Question::DriverMissing}));
    EXPECT_FALSE(config::HasFilter(*device));
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(bench.machine.disk().Find(sim::kProgramData + "\\QUORVIN Setup\\undo-journal.txt"),
              nullptr);
}

TEST_F(CommandLayer, SettledQuestionsAreNotAskedAgain) {
    // The command line settles them for every device first, or answers them with
    // --force unasked: a parent that cannot be opened must not stop the write.
    bench.machine.AddFault({"SetupDiOpenDeviceInfoA"});
    const Result result =
        commands::ChangeFilter(*device, true, host, commands::AttachQuestions::Settled);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_TRUE(config::HasFilter(*device));
}

TEST_F(CommandLayer, AnUnreadableDriverStateIsAskedWithItsError) {
    sim::InstallDriverService(bench.machine, "quorvin");
    bench.machine.AddFault({"OpenSCManagerA", 0, {}, ERROR_ACCESS_DENIED});
    host.answers = {true, false};
    const Result result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.declined, Question::DriverUnknown);
    ASSERT_EQ(host.asked.size(), 2u);
    EXPECT_EQ(host.asked[1].number, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
}

TEST_F(CommandLayer, AnInstalledServiceWindowsWillNotLoadIsAskedAboutByWhatIsWrong) {
    sim::InstallDriverService(bench.machine, "quorvin");
    sim::Service& service = *bench.machine.system().FindService("quorvin");
    service.startType = SERVICE_DISABLED;
    host.answers = {true, false};
    Result result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.declined, Question::DriverDisabled);
    EXPECT_EQ(host.Questions(),
              (std::vector<Question>{Question::Usefulness, Question::DriverDisabled}));
    EXPECT_EQ(Writes(), 0u);

    // Enabled again, but a service that is no kernel driver cannot be a filter either.
    service.startType = SERVICE_DEMAND_START;
    service.type = 0x10;  // a service of its own process, not a driver
    host.asked.clear();
    host.answers = {true, false};
    result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.declined, Question::DriverNotKernel);
    EXPECT_FALSE(config::HasFilter(*device));
    EXPECT_EQ(Writes(), 0u);

    // Said yes to, the filter goes on as asked.
    host.asked.clear();
    host.answers = {true, true};
    result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_TRUE(config::HasFilter(*device));
}

TEST_F(CommandLayer, EveryWriteIsRecordedBeforeItIsMade) {
    sim::InstallDriverService(bench.machine, "quorvin");
    Result result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_TRUE(config::HasFilter(*device));
    result = commands::ChangeRate(*device, 1, host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_EQ(config::ReadRateIndex(*device), 1);

    // The journal file is written before each setting is.
    std::vector<std::string> order;
    for (const sim::Call& call : bench.machine.Calls()) {
        if (call.op == "WriteFile" || call.op == "SetupDiSetDeviceRegistryPropertyA" ||
            call.op == "RegSetValueExA") {
            order.push_back(call.op == "WriteFile" ? "journal" : "setting");
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"journal", "setting", "journal", "setting"}));

    // Taken back through the journal: "Restore all" asks first.
    host.asked.clear();
    host.answers = {false};
    result = commands::RestoreAllChanges(host);
    EXPECT_EQ(result.declined, Question::RestoreAll);
    EXPECT_EQ(config::ReadRateIndex(*device), 1);
    result = commands::RestoreAllChanges(host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    ASSERT_TRUE(result.undo);
    EXPECT_EQ(result.undo->undone, 2);
    EXPECT_EQ(config::ReadRateIndex(*device), 0);
    EXPECT_FALSE(config::HasFilter(*device));
    EXPECT_EQ(commands::UndoLast().kind, Result::Kind::Unchanged);
}

TEST_F(CommandLayer, AChangeTheJournalCannotRecordIsMadeOnlyWhenTheHostSaysSo) {
    bench.machine.disk().programDataQueryFails = true;
    host.answers = {false};
    Result result = commands::ChangeRate(*device, 2, host);
    EXPECT_EQ(result.kind, Result::Kind::Declined);
    EXPECT_EQ(result.declined, Question::Unrecorded);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_FALSE(host.asked[0].why.empty());
    EXPECT_EQ(config::ReadRateIndex(*device), 0);

    result = commands::ChangeRate(*device, 2, host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_FALSE(result.why.empty()) << "a change made without a record says why";
    EXPECT_EQ(config::ReadRateIndex(*device), 2);
}

TEST_F(CommandLayer, ADriveWithoutAccessListsIsToldNotAskedAndTheChangeIsMade) {
    bench.machine.disk().fileSystemName = "FAT32";
    bench.machine.disk().fileSystemFlags = 0x00000006;  // no FS_PERSISTENT_ACLS
    // A question asked would decline the change.
    host.answers = {false};
    const Result result = commands::ChangeRate(*device, 2, host);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_TRUE(host.asked.empty());
    ASSERT_EQ(host.notKept.size(), 1u);
    EXPECT_NE(host.notKept[0].find("FAT32"), std::string::npos) << host.notKept[0];
    EXPECT_EQ(result.why, host.notKept[0]);
    EXPECT_EQ(config::ReadRateIndex(*device), 2);
    EXPECT_FALSE(bench.machine.disk().Exists(sim::kProgramData + "\\QUORVIN Setup"));
}

TEST_F(CommandLayer, AWriteThatDoesNotTakeFailsAndNothingToDoIsUnchanged) {
    EXPECT_EQ(commands::ChangeFilter(*device, false, host).kind, Result::Kind::Unchanged);
    EXPECT_EQ(commands::ChangeRate(*device, 0, host).kind, Result::Kind::Unchanged);
    EXPECT_TRUE(host.asked.empty());

    bench.machine.AddFault({"RegSetValueExA"});
    Result result = commands::ChangeRate(*device, 3, host);
    EXPECT_EQ(result.kind, Result::Kind::Failed);
    EXPECT_FALSE(result.why.empty());

    sim::InstallDriverService(bench.machine, "quorvin");
    bench.machine.AddFault({"SetupDiSetDeviceRegistryPropertyA"});
    result = commands::ChangeFilter(*device, true, host);
    EXPECT_EQ(result.kind, Result::Kind::Failed);
    EXPECT_FALSE(config::HasFilter(*device));
}

TEST_F(CommandLayer, ARestartWaitsThroughTheHostAndKeepsItsOutcome) {
    const Result result = commands::Restart(*device, host);
    EXPECT_EQ(host.waits, 1);
    ASSERT_TRUE(result.restart);
    EXPECT_EQ(result.restart->kind, restart::RestartOutcome::Kind::Restarted);
    EXPECT_EQ(result.kind, Result::Kind::Written);
    EXPECT_FALSE(bench.machine.restarts.empty());
}

}  // namespace
