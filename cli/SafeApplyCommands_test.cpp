// status and undo against the machine: the driver's state and every device carrying
// the filter as the service manager and the configuration manager report them, the
// exit code a script reads from it, and changes of set and apply taken back through
// the window's own journal, in a later run too.
#include <gtest/gtest.h>

#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "journal/JournalStore.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimSystem.h"
#include "ui/headless/SetupTestMachine.h"

using namespace cli_test;
using namespace setup_test;

namespace {

struct SafeApplyTest : ::testing::Test {
    SetupMachine m;

    std::string Journal() {
        const sim::DiskEntry* file = m.machine.disk().Find(journal::JournalPath());
        return file != nullptr ? file->content : "<none>";
    }
};

TEST_F(SafeApplyTest, StatusOfAHealthyMachineIsZeroAndChangesNothing) {
    const CliRun run = Quorvin({"status"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(run.out.find("Driver service: installed"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("System32\\drivers\\quorvin.sys present"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0 change(s) to undo"), std::string::npos);
    // hidM is the one device that carries the filter.
    EXPECT_NE(run.out.find(kHidM), std::string::npos);
    EXPECT_EQ(run.out.find(kHidA), std::string::npos);
    EXPECT_EQ(ChangingCalls(m.machine), 0u);
    EXPECT_EQ(Journal(), "<none>") << "reading the status writes no journal";
}

TEST_F(SafeApplyTest, ADeviceThatDoesNotStartOrAMissingDriverMakesStatusFour) {
    m.machine.system().problems[kHidM] = 39;
    CliRun run = Quorvin({"status"});
    EXPECT_EQ(run.code, cli::kExitBroken);
    EXPECT_NE(run.out.find("problem 39: Windows cannot load the driver"), std::string::npos)
        << run.out;
    run = Quorvin({"status", "--json"});
    EXPECT_EQ(run.code, cli::kExitBroken);
    EXPECT_NE(run.out.find("\"state\":\"problem\",\"problem\":39,\"problemText\":\"Windows"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"broken\":true}"), std::string::npos);

    // The device starts, but the driver went: its next start would fail.
    m.machine.system().problems.clear();
    m.machine.system().services.clear();
    run = Quorvin({"status", "--json"});
    EXPECT_EQ(run.code, cli::kExitBroken);
    EXPECT_NE(run.out.find("\"installed\":false"), std::string::npos) << run.out;

    // Without the driver and without a device carrying the filter nothing is broken.
    EXPECT_EQ(Quorvin({"set", kHidM, "--filter", "off"}).code, 0);
    run = Quorvin({"status"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.out;
    EXPECT_NE(run.out.find("not installed"), std::string::npos);
    EXPECT_NE(run.out.find("No device carries the filter."), std::string::npos);
}

TEST_F(SafeApplyTest, StatusListsAnUnpluggedDeviceThatCarriesTheFilter) {
    m.machine.Unplug(kHidM);
    const CliRun run = Quorvin({"status", "--json"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.out;
    EXPECT_NE(run.out.find("\"present\":false,\"state\":\"not present\""), std::string::npos)
        << run.out;
}

// A system drive without access lists can keep no journal: changes go ahead without
// --force, each noted, and status and undo say why there is no journal.
TEST_F(SafeApplyTest, ADriveWithoutAccessListsMakesChangesUnrecordedAndSaysWhy) {
    m.machine.disk().fileSystemName = "FAT32";
    m.machine.disk().fileSystemFlags = 0x00000006;
    CliRun run = Quorvin({"set", kHidM, "--rate", "1000", "--json"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(run.out.find("\"note\":\"made without an undo record: No undo journal is kept on "
                           "this computer: drive C: uses the FAT32 file system"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(1));
    EXPECT_EQ(Journal(), "<none>");
    run = Quorvin({"status"});
    EXPECT_NE(run.out.find("No undo journal is kept"), std::string::npos) << run.out;
    EXPECT_EQ(Quorvin({"undo"}).code, 1);
}

TEST_F(SafeApplyTest, SetAndApplyRecordAndUndoTakesBackNewestFirst) {
    ASSERT_EQ(Quorvin({"set", kHidM, "--rate", "1000"}).code, 0);
    ASSERT_EQ(Quorvin({"set", kHidM, "--filter", "off"}).code, 0);
    ASSERT_EQ(
        Quorvin({"apply", "-"}, "version = 1\n[device]\ninstance-id = " + kHidB + "\nrate = 125\n")
            .code,
        0);
    EXPECT_NE(Quorvin({"status"}).out.find("3 change(s) to undo"), std::string::npos);

    CliRun run = Quorvin({"undo"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Undone: the polling rate of " + kHidB), std::string::npos) << run.out;
    EXPECT_EQ(m.StoredInterval(kHidB), "<none>");
    EXPECT_EQ(m.LowerFilters(kHidM), "<none>") << "older changes stay until asked";

    run = Quorvin({"undo", "--all", "--json"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"command\":\"undo\",\"all\":true,\"undone\":2,\"left\":0"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(m.LowerFilters(kHidM), kFilterOnly);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));  // 250 again

    run = Quorvin({"undo"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "There is no change to undo.\n");
}

TEST_F(SafeApplyTest, UndoLeavesASettingSomethingElseChangedAndSaysSo) {
    ASSERT_EQ(Quorvin({"set", kHidM, "--rate", "1000"}).code, 0);
    m.machine.Key(kHidM, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(2)};
    const CliRun run = Quorvin({"undo"});
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_NE(run.out.find("something else has changed it since"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "quorvin: 1 change(s) could not be undone\n");
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(2));
    EXPECT_NE(Journal().find("setting rate"), std::string::npos) << "the change stays recorded";
}

// The window's third question, a driver that cannot load, stands for --force too:
// kHidM asks neither of the device's questions.
TEST_F(SafeApplyTest, AttachingWithoutTheDriverNeedsForce) {
    m.machine.system().services.clear();
    ASSERT_EQ(Quorvin({"set", kHidM, "--filter", "off"}).code, cli::kExitDone);
    m.machine.ClearCalls();
    CliRun run = Quorvin({"set", kHidM, "--filter", "on", "--rate", "1000"});
    EXPECT_EQ(run.code, cli::kExitBadUsage);
    EXPECT_NE(run.err.find("driver is not installed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
    EXPECT_EQ(ChangingCalls(m.machine), 0u) << "nothing is written, the rate neither";
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));

    run = Quorvin({"set", kHidM, "--filter", "on", "--force"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_EQ(m.LowerFilters(kHidM), kFilterOnly);
}

TEST_F(SafeApplyTest, AChangeTheJournalCannotRecordIsMadeOnlyWithForce) {
    const std::string adminOnly = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    m.machine.disk().AddFolder(sim::kProgramData + "\\QUORVIN Setup", "BA", adminOnly);
    m.machine.disk().AddFile(journal::JournalPath(), "QUORVIN Setup undo journal 1\r\nchange\r\n",
                             "BA", adminOnly);
    const std::size_t writesBefore = ChangingCalls(m.machine);
    CliRun run = Quorvin({"set", kHidM, "--rate", "1000"});
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_NE(run.out.find("not made, as it cannot be recorded for undo"), std::string::npos)
        << run.out;
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));
    EXPECT_EQ(ChangingCalls(m.machine), writesBefore);

    run = Quorvin({"set", kHidM, "--rate", "1000", "--force", "--json"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"note\":\"made without an undo record: "), std::string::npos)
        << run.out;
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(1));

    // A damaged journal is never used to write anything, and status says why.
    run = Quorvin({"undo", "--all"});
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(1));
    EXPECT_NE(Quorvin({"status"}).out.find("Undo journal:   cannot be used"), std::string::npos);
}

TEST_F(SafeApplyTest, OnlyTheFiltersProblemsOrAnUnusableServiceMakeStatusFour) {
    // Disabled by its user: shown as it is, and no reason to take the filter off.
    m.machine.system().problems[kHidM] = CM_PROB_DISABLED;
    CliRun run = Quorvin({"status", "--json"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.out;
    EXPECT_NE(run.out.find("\"state\":\"other problem\",\"problem\":22"), std::string::npos)
        << run.out;
    m.machine.system().problems[kHidM] = CM_PROB_NEED_RESTART;
    run = Quorvin({"status"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.out;
    EXPECT_NE(run.out.find("(restart Windows)"), std::string::npos) << run.out;

    // Started is what works: a device that has not started yet is not called started.
    m.machine.system().problems.clear();
    m.machine.system().startDelays[kHidM] = 1000;
    sim::StartDevice(m.machine, kHidM);
    run = Quorvin({"status", "--json"});
    EXPECT_NE(run.out.find("\"state\":\"not started\""), std::string::npos) << run.out;

    // A disabled service fails every device that lists the filter: broken, and said so.
    m.machine.system().startDelays.clear();
    m.machine.system().settlesAt.clear();
    m.machine.system().FindService("quorvin")->startType = SERVICE_DISABLED;
    run = Quorvin({"status"});
    EXPECT_EQ(run.code, cli::kExitBroken) << run.out;
    EXPECT_NE(run.out.find("installed, but DISABLED"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("cannot be loaded"), std::string::npos) << run.out;
}

}  // namespace
