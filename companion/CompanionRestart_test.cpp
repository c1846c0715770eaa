// Restarts under WOW64: the setup program starts the companion beside it, which
// restarts, verifies and reverts itself and reports through its exit code.
#include <gtest/gtest.h>

#include <sstream>

#include "companion/Companion.h"
#include "platform/sim/SimNames.h"
#include "config/ConfigTestBench.h"
#include "restart/Restart.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace companion {

namespace {

using Kind = restart::RestartOutcome::Kind;
constexpr const char* kDevice = config::ConfigBench::kInterface;

class CompanionRestart : public ::testing::Test {
  protected:
    config::ConfigBench bench;
    sim::Machine& m = bench.machine;
    sim::System& system = m.system();
    std::string companionErr;
    int pumps = 0;

    CompanionRestart() {
        m.wow64 = sim::Wow64Mode::Wow64;
        sim::InstallDriverService(m, "quorvin");
        system.programPath = "C:\\Tools\\Quorvin\\QuorvinSetup.exe";
        m.files.push_back("C:\\Tools\\Quorvin\\kevra64.exe");
        // The started program is the companion itself, on the same machine.
        system.run = [this](const std::string&, const std::string& parameters) {
            const CompanionOutcome outcome = RunCompanion(sim::Utf16(parameters));
            companionErr += outcome.message;
            return static_cast<DWORD>(outcome.exitCode);
        };
        m.SetProperty(kDevice, SPDRP_LOWERFILTERS, REG_MULTI_SZ, sim::MultiString({"quorvin"}));
    }
    void TearDown() override {
        EXPECT_EQ(m.OpenSetCount(), 2u) << "only the bench's own sets";
        EXPECT_TRUE(system.processes.empty()) << "the process handle was closed";
    }

    restart::RestartOutcome Restart() {
        return restart::RequestDeviceRestart(*bench.Open(kDevice), config::ConfigBench::kOwner,
                                             [this] { ++pumps; });
    }
    std::string Filters() const { return m.Property(kDevice, SPDRP_LOWERFILTERS)->data; }
};

}  // namespace

TEST_F(CompanionRestart, EveryBranchReachesTheSetupProgramThroughTheExitCode) {
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::Restarted, 0}));

    std::erase(m.files, sim::kDriverFile);
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::ProblemReverted, 39}));
    EXPECT_EQ(m.Property(kDevice, SPDRP_LOWERFILTERS), std::nullopt);

    m.SetProperty(kDevice, SPDRP_LOWERFILTERS, REG_MULTI_SZ, sim::MultiString({"quorvin", "gone"}));
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::ProblemNotCured, 39}));
    EXPECT_EQ(Filters(), sim::MultiString({"gone"}));

    system.heldOpen.insert(kDevice);
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::NeedsReboot, 0}));

    EXPECT_EQ(companionErr, "") << "outcomes are told by the setup program alone";
    EXPECT_EQ(m.CountCalls("ShellExecuteExW"), 1u);
    EXPECT_EQ(m.CountCalls("SetupDiSetClassInstallParamsA"), 1u) << "in the companion";
}

TEST_F(CompanionRestart, TheWindowKeepsItsMessagesWhileTheCompanionRuns) {
    system.inputRounds = 3;
    EXPECT_EQ(Restart().kind, Kind::Restarted);
    EXPECT_EQ(pumps, 3);
    const auto waits = m.CallsOf("MsgWaitForMultipleObjectsEx");
    ASSERT_EQ(waits.size(), 4u);
    EXPECT_EQ(waits[0].args, "count=1 handle=1 ms=" + std::to_string(restart::kProgramWaitMs) +
                                 " mask=0x4FF flags=0x4");
    // Input an earlier peek saw but left queued wakes the wait too (MWMO_INPUTAVAILABLE):
    // a window would otherwise stop painting until new input came.
    system.peekedRounds = 2;
    pumps = 0;
    EXPECT_EQ(Restart().kind, Kind::Restarted);
    EXPECT_EQ(pumps, 5);
    // Without a pump (a console program) it simply waits, bounded.
    restart::RequestDeviceRestart(*bench.Open(kDevice), config::ConfigBench::kOwner);
    EXPECT_EQ(m.CallsOf("WaitForSingleObject").at(0).args,
              "handle=3 ms=" + std::to_string(restart::kProgramWaitMs));
}

TEST_F(CompanionRestart, AScriptsCompanionNeverWaitsForAClick) {
    // Run by a deployment system, the companion has neither a console nor standard
    // error: unless told to be quiet, a message of it would wait for a click for ever.
    system.hangs = [](const std::string& parameters) { return !parameters.starts_with("/q "); };
    EXPECT_EQ(restart::RequestDeviceRestart(*bench.Open(kDevice), config::ConfigBench::kOwner).kind,
              Kind::Restarted);
    EXPECT_EQ(m.shellRequests.back().parameters, "/q U " + std::string(kDevice));
    // One that hangs all the same is given up on after the bound, and said so.
    system.hangs = [](const std::string&) { return true; };
    const LONGLONG before = sim::Clock(m);
    EXPECT_EQ(restart::RequestDeviceRestart(*bench.Open(kDevice), config::ConfigBench::kOwner).kind,
              Kind::Failed);
    EXPECT_EQ(sim::Clock(m) - before, sim::Ticks(restart::kProgramWaitMs));
    EXPECT_EQ(restart::RunCompanionProgram(nullptr, "U x", {}).kind,
              restart::CompanionRun::Kind::TimedOut);
    EXPECT_TRUE(system.processes.empty()) << "the handle is closed all the same";
}

TEST_F(CompanionRestart, OnlyTheCompanionBesideTheProgramIsStarted) {
    // One in the current folder or on the search path does not count.
    m.files = {"kevra64.exe", "C:\\WINDOWS\\System32\\kevra64.exe"};
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::CompanionMissing, 0}));
    EXPECT_EQ(m.CountCalls("ShellExecuteExW"), 0u);
    EXPECT_EQ(restart::CompanionPath(), "C:\\Tools\\Quorvin\\kevra64.exe");

    // A folder whose name is not ASCII is passed whole, in the ANSI code page's script
    // or in another (a Cyrillic user name on a Western system, which has no ANSI name),
    // and a path longer than MAX_PATH is read whole.
    for (const std::string& folder :
         {std::string("C:\\Données"), std::string("C:\\Users\\Пользователь\\Загрузки"),
          "C:\\" + std::string(300, 'd'),
          "C:\\" + std::string(150, 'd') + "\\Ж" + std::string(150, 'd')}) {
        system.programPath = folder + "\\QuorvinSetup.exe";
        m.files = {folder + "\\kevra64.exe", sim::kDriverFile};
        m.ClearCalls();
        EXPECT_EQ(Restart().kind, Kind::Restarted) << folder;
        EXPECT_EQ(m.shellRequests.back().file, folder + "\\kevra64.exe");
    }
}

TEST_F(CompanionRestart, AMissingCompanionIsToldWhereItWasLookedFor) {
    system.programPath = "C:\\Users\\Пётр\\QuorvinSetup.exe";
    m.files.clear();
    EXPECT_EQ(Restart(), (restart::RestartOutcome{Kind::CompanionMissing, 0}));
    EXPECT_EQ(restart::CompanionFile(), sim::Utf16("C:\\Users\\Пётр\\kevra64.exe"));
    // A message is in the ANSI code page: letters it lacks show as '?'.
    EXPECT_EQ(restart::CompanionPath(), "C:\\Users\\????\\kevra64.exe");
}

TEST_F(CompanionRestart, AnythingButAnExitCodeIsAFailure) {
    for (const char* op :
         {"ShellExecuteExW", "MsgWaitForMultipleObjectsEx", "GetExitCodeProcess"}) {
        m.AddFault({op});
        EXPECT_EQ(Restart().kind, Kind::Failed) << op;
        m.ClearFaults();
    }
    for (const char* op : {"GetModuleFileNameW", "GetFileAttributesW"}) {
        m.AddFault({op});
        EXPECT_EQ(Restart().kind, Kind::CompanionMissing) << op;
        m.ClearFaults();
    }
    system.run = [](const std::string&, const std::string&) { return DWORD{0xC0000005}; };
    EXPECT_EQ(Restart().kind, Kind::Failed);
}

TEST_F(CompanionRestart, TheCompanionsOwnCodesAndItsOneLineForFailures) {
    std::erase(m.files, sim::kDriverFile);
    CompanionOutcome outcome = RunCompanion(sim::Utf16(std::string("U ") + kDevice));
    EXPECT_EQ(outcome.exitCode, 0x1027);
    EXPECT_EQ(outcome.message, "");
    system.heldOpen.insert(kDevice);
    outcome = RunCompanion(sim::Utf16(std::string("U ") + kDevice));
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(outcome.message, "");
    m.AddFault({"SetupDiCallClassInstaller"});
    outcome = RunCompanion(sim::Utf16(std::string("U ") + kDevice));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.message.find("was refused"), std::string::npos);
}

}  // namespace companion
