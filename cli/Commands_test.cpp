// quorvin's commands against the window: the same lists, the same questions (the
// window's own table of cases), the same writes, restarts and installs.
#include <gtest/gtest.h>

#include "companion/Companion.h"
#include "platform/sim/SimNames.h"

#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "cli/DeviceFacts.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "platform/sim/SimInput.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using namespace cli_test;
using namespace setup_test;

namespace {

struct CommandsTest : ::testing::Test {
    SetupMachine m;

    // WOW64, with the companion beside the program: it runs on the same machine,
    // and the command lines it was started with are kept.
    std::vector<std::string> companionRuns;
    void UseCompanion() {
        m.machine.wow64 = sim::Wow64Mode::Wow64;
        m.machine.files.push_back("C:\\Users\\User\\Downloads\\kevra64.exe");
        m.machine.system().run = [this](const std::string&, const std::string& parameters) {
            companionRuns.push_back(parameters);
            return static_cast<DWORD>(companion::RunCompanion(sim::Utf16(parameters)).exitCode);
        };
    }
};

// The window's grid, read cell by cell, against what `list` reports for the same mode.
struct ListMode {
    const char* name;
    const char* commandLine;
    bool miceOnly;
    bool all;
};

class ListLikeTheGrid : public CommandsTest, public ::testing::WithParamInterface<ListMode> {};

TEST_P(ListLikeTheGrid, RowsMouseFilterRateAndMarkingsAgree) {
    const ListMode& mode = GetParam();
    headless::WindowOptions options;
    options.commandLine = mode.commandLine;
    headless::HeadlessWindow window(options);
    ui::TfrmSetup& form = window.Form();
    if (!mode.miceOnly && !mode.all) {
        form.cbMouseOnly->UserClick();
    }
    window.Paint();

    device::TDeviceList list(mode.miceOnly, mode.all);
    ASSERT_EQ(list.Count(), form.DeviceList->Count());
    ASSERT_GT(list.Count(), 0);
    for (int i = 0; i < list.Count(); ++i) {
        const int row = i + 1;
        const cli::DeviceFacts facts = cli::ReadFacts(list.GetDevice(i));
        EXPECT_EQ(facts.instanceId, form.DeviceList->GetDevice(i).GetInstanceId());
        EXPECT_EQ(facts.description, window.Cell(0, row)->text);
        EXPECT_EQ(facts.parentName, window.Cell(1, row)->text);
        EXPECT_EQ(facts.childNames, window.Cell(2, row)->text);
        EXPECT_EQ(facts.mouse ? "Yes" : "No", window.Cell(3, row)->text);
        EXPECT_EQ(facts.filter ? "Yes" : "No", window.Cell(4, row)->text);
        EXPECT_EQ(config::RateNames.at(static_cast<std::size_t>(facts.rate)),
                  window.Cell(5, row)->text);
        // The grid's colours announce the questions; the current row shows the selection.
        if (row == form.dgDevices->Row()) {
            continue;
        }
        const gui::TColor background = window.Cell(0, row)->background;
        EXPECT_EQ(facts.hubQuestion, background == ui::kHubColor) << facts.instanceId;
        EXPECT_EQ(!facts.hubQuestion && !facts.usefulnessQuestion,
                  background == ui::kHubParentColor)
            << facts.instanceId;
    }

    std::vector<std::string> args{"list", "--json"};
    if (mode.miceOnly) {
        args.push_back("--mice");
    }
    if (mode.all) {
        args.push_back("--all");
    }
    const CliRun run = Quorvin(args);
    EXPECT_EQ(run.code, 0);
    std::size_t at = 0;
    for (int i = 0; i < list.Count(); ++i) {
        cli::JsonWriter id;
        id.String(list.GetDevice(i).GetInstanceId());
        const std::size_t found = run.out.find(id.Text(), at);
        EXPECT_NE(found, std::string::npos) << "row " << i + 1 << " in list order";
        at = found;
    }
    EXPECT_EQ(ChangingCalls(m.machine), 0u);
}

INSTANTIATE_TEST_SUITE_P(Modes, ListLikeTheGrid,
                         ::testing::Values(ListMode{"mice", "quorvin.exe", true, false},
                                           ListMode{"hid", "quorvin.exe", false, false},
                                           ListMode{"all", "quorvin.exe /ALL", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window's question table: a device that asks anything needs --force.
class ForceLikeTheQuestions : public CommandsTest,
                              public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(ForceLikeTheQuestions, WithoutForceOnlyQuestionFreeDevicesTakeTheFilter) {
    const QuestionCase& c = GetParam();
    m.machine.SetProperty(c.device, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("\0", 1));
    m.machine.ClearCalls();
    const bool asks = c.hubQuestion || c.usefulnessQuestion;

    const CliRun plain = Quorvin({"set", c.device, "--filter", "on"});
    if (asks) {
        EXPECT_EQ(plain.code, 2);
        EXPECT_NE(plain.err.find("--force"), std::string::npos);
        EXPECT_NE(plain.err.find(c.hubQuestion ? "hub" : "useless"), std::string::npos);
        EXPECT_EQ(Lines(plain.err), 1u);
        EXPECT_EQ(ChangingCalls(m.machine), 0u);
        EXPECT_EQ(m.LowerFilters(c.device), std::string("\0", 1));

        const CliRun forced = Quorvin({"set", c.device, "--filter", "on", "--force"});
        EXPECT_EQ(forced.code, 0) << forced.err;
    } else {
        EXPECT_EQ(plain.code, 0) << plain.err;
    }
    EXPECT_EQ(m.LowerFilters(c.device), kFilterOnly);
}

INSTANTIATE_TEST_SUITE_P(ByDevice, ForceLikeTheQuestions, ::testing::ValuesIn(kQuestionCases));

TEST_F(CommandsTest, DetachingAsksNothingAlsoOnAHub) {
    m.machine.SetProperty(kHidH, SPDRP_LOWERFILTERS, REG_MULTI_SZ, kFilterOnly);
    const CliRun run = Quorvin({"set", kHidH, "--filter", "off"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(m.LowerFilters(kHidH), "<none>");
    EXPECT_NE(run.out.find("filter on -> off"), std::string::npos);
}

TEST_F(CommandsTest, RateIsStoredAsTheWindowStoresItAndDefaultDeletesIt) {
    const CliRun set = Quorvin({"set", "VID_1111&PID_2222", "--all-matching", "--rate", "1000"});
    EXPECT_EQ(set.code, 0) << set.err;
    for (const std::string& id : {kHidA, kHidB, kHidHC}) {
        EXPECT_EQ(m.StoredInterval(id), Dword(1)) << id;
    }
    const CliRun reset = Quorvin({"set", "usb\\vid_3333&pid_4444\\5&2", "--rate", "default"});
    EXPECT_EQ(reset.code, 0) << reset.err;
    EXPECT_EQ(m.StoredInterval(kHidM), "<none>");
    EXPECT_NE(reset.out.find("rate 250 -> Default"), std::string::npos);
}

TEST_F(CommandsTest, RowNumbersFollowTheChosenList) {
    // Row 2 is hidHC with Mice Only and hidB without it, as in the window.
    EXPECT_EQ(Quorvin({"set", "2", "--mice", "--rate", "500"}).code, 0);
    EXPECT_EQ(m.StoredInterval(kHidHC), Dword(2));
    EXPECT_EQ(Quorvin({"set", "2", "--rate", "125"}).code, 0);
    EXPECT_EQ(m.StoredInterval(kHidB), Dword(8));
}

TEST_F(CommandsTest, ParentActsOnTheParentOnceForSiblings) {
    const CliRun run = Quorvin(
        {"set", "VID_1111&PID_2222", "--all-matching", "--parent", "--rate", "250", "--json"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(m.StoredInterval(kComposite), Dword(4));
    EXPECT_EQ(m.StoredInterval(kHidA), "<none>");
    EXPECT_EQ(m.machine.CountCalls("RegSetValueExA"), 1u);
    EXPECT_NE(run.out.find("\"rate\":{\"before\":\"Default\",\"after\":\"250\"}"),
              std::string::npos);
}

TEST_F(CommandsTest, RestartGoesThroughTheClassInstallerOrTheCompanion) {
    const CliRun run = Quorvin({"restart", kHidM});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(m.machine.restarts, std::vector<std::string>{kHidM});
    EXPECT_NE(run.out.find("restart done"), std::string::npos);

    UseCompanion();
    const CliRun handed = Quorvin({"set", kHidM, "--rate", "500", "--restart", "--json"});
    EXPECT_EQ(handed.code, 0) << handed.err;
    ASSERT_EQ(companionRuns.size(), 1u);
    EXPECT_EQ(companionRuns[0], "/q U " + kHidM) << "no message box waits for a click";
    EXPECT_NE(handed.out.find("\"restart\":\"done\""), std::string::npos);
}

TEST_F(CommandsTest, AFailedRestartIsExitCodeOne) {
    m.machine.AddFault({"SetupDiCallClassInstaller"});
    const CliRun run = Quorvin({"restart", kHidM});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("restart failed"), std::string::npos);
    EXPECT_EQ(Lines(run.err), 1u);
}

// The report tells the state after the command: a filter the restart had to take off
// again reads as taken off, with the problem; a device that does not start after a
// restart fails the command, whoever's filter keeps it from starting.
TEST_F(CommandsTest, AReportDescribesTheDeviceAfterTheRestart) {
    m.machine.system().services.clear();  // the filter's driver is missing
    CliRun run = Quorvin({"set", kHidA, "--filter", "on", "--force", "--restart", "--json"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(m.LowerFilters(kHidA), "<none>");
    EXPECT_NE(run.out.find("\"filter\":{\"before\":false,\"after\":false}"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"changed\":false"), std::string::npos);
    EXPECT_NE(run.out.find("\"restart\":\"failed\",\"problem\":39,\"problemText\":\"Windows "
                           "cannot load"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"reverted\":true"), std::string::npos);

    run = Quorvin({"set", kHidA, "--filter", "on", "--rate", "500", "--force", "--restart"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("filter off -> on -> off (taken off again), rate Default -> 500, "
                           "restart failed: the device did not start with the filter (problem "
                           "39: "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("the device works again"), std::string::npos) << run.out;

    // Another vendor's filter without its service: not ours to take off, still a failure.
    m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("mfltx\0\0", 7));
    run = Quorvin({"restart", kHidM});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("restart failed: the device does not start (problem 39: "),
              std::string::npos)
        << run.out;
    EXPECT_EQ(m.LowerFilters(kHidM), std::string("mfltx\0\0", 7));
}

TEST_F(CommandsTest, AMissingCompanionIsNamedWithWhereItWasLookedFor) {
    UseCompanion();
    std::erase(m.machine.files, std::string("C:\\Users\\User\\Downloads\\kevra64.exe"));
    const std::string looked = "C:\\Users\\User\\Downloads\\kevra64.exe";
    CliRun run = Quorvin({"restart", kHidM});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("kevra64.exe"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("looked for at " + looked), std::string::npos) << run.err;
    run = Quorvin({"restart", kHidM, "--json"});
    EXPECT_NE(run.out.find("\"companionMissing\":\"C:\\\\Users"), std::string::npos) << run.out;
    run = Quorvin({"install"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("looked for at " + looked), std::string::npos) << run.err;
    EXPECT_TRUE(companionRuns.empty());
}

TEST_F(CommandsTest, InstallUsesTheInstallVerbOrTheCompanion) {
    // No quorvin.inf: the shell refuses, and the report says what is missing.
    m.machine.system().services.clear();
    CliRun run = Quorvin({"install"});
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_NE(run.err.find("The QUORVIN driver is not installed."), std::string::npos) << run.err;
    m.machine.shellRequests.clear();

    m.machine.files.push_back(m.machine.currentDirectory + "\\quorvin.inf");
    m.machine.files.push_back(m.machine.currentDirectory + "\\quorvin.sys");
    run = Quorvin({"install"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_EQ(run.out, "install done\n");
    ASSERT_EQ(m.machine.shellRequests.size(), 1u);
    EXPECT_EQ(m.machine.shellRequests[0].verb, "install");
    EXPECT_EQ(m.machine.shellRequests[0].file, "quorvin.inf");

    UseCompanion();
    EXPECT_EQ(Quorvin({"install", "--json"}).out,
              "{\"version\":1,\"command\":\"install\",\"result\":\"done\"}\n");
    ASSERT_EQ(companionRuns.size(), 1u);
    EXPECT_EQ(companionRuns[0], "/q e install quorvin.inf");
}

TEST_F(CommandsTest, AWriteThatDoesNotTakeIsReportedAsAFailure) {
    m.machine.AddFault({"RegSetValueExA"});
    const CliRun run = Quorvin({"set", kHidM, "--rate", "1000", "--restart"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("FAILED"), std::string::npos);
    EXPECT_TRUE(m.machine.restarts.empty()) << "no restart after a failed write";
    EXPECT_EQ(Lines(run.err), 1u);
}

// A script picks "the gaming mouse" by the name the device reports on its bus; a
// device without one, or a Windows that cannot read it (XP), shows none.
TEST_F(CommandsTest, TheProductNameIsListedShownAndInTheJson) {
    sim::SetBusReportedName(m.machine, kHidM, u"Precision Mouse \u00e9");
    const CliRun list = Quorvin({"list"});
    ASSERT_EQ(list.code, 0);
    EXPECT_EQ(list.out.rfind("Row  Device Name  Product Name", 0), 0u) << list.out;
    bool named = false;
    bool unnamed = false;
    for (std::size_t start = 0, end; (end = list.out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string line = list.out.substr(start, end - start);
        named = named || (line.find("Precision Mouse \xE9") != std::string::npos &&
                          line.find(kHidM) != std::string::npos);
        unnamed = unnamed || (line.find(kHidHC) != std::string::npos &&
                              line.find(" -  ") != std::string::npos);
    }
    EXPECT_TRUE(named) << list.out;
    EXPECT_TRUE(unnamed) << list.out;

    const CliRun json = Quorvin({"list", "--json"});
    EXPECT_NE(json.out.find("\"productName\":\"Precision Mouse \\u00e9\""), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"productName\":null"), std::string::npos);
    const CliRun show = Quorvin({"show", kHidM});
    EXPECT_NE(show.out.find("Product Name:   Precision Mouse"), std::string::npos) << show.out;

    sim::SetDevicePropertyReaderPresent(m.machine, false);
    const CliRun xp = Quorvin({"list", "--json"});
    EXPECT_EQ(xp.out.find("Precision Mouse"), std::string::npos);
    EXPECT_NE(xp.out.find("\"productName\":null"), std::string::npos);
}

TEST_F(CommandsTest, ShowReportsEverythingAndHelpCoversEveryCommand) {
    const CliRun show = Quorvin({"show", kHidHC});
    EXPECT_EQ(show.code, 0);
    for (const char* text : {"Hub HC", "USB Composite Device", "hub,usefulness",
                             "USB\\VID_1111&PID_2222&MI_02&REV_0100"}) {
        EXPECT_NE(show.out.find(text), std::string::npos) << text;
    }
    for (const char* command : {"list", "show", "set", "restart", "install", "export", "apply"}) {
        const CliRun help = Quorvin({command, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: quorvin ") + command, 0), 0u) << command;
    }
    EXPECT_NE(Quorvin({"--help"}).out.find("exit codes"), std::string::npos);
}

// A standard user's run: the driver keys refuse every right but KEY_READ.
TEST_F(CommandsTest, AStandardUserReadsTheRealRatesAndChangesNothingUnnoticed) {
    ASSERT_EQ(Quorvin({"set", kHidM, "--rate", "250"}).code, cli::kExitDone);
    m.machine.elevated = false;
    CliRun run = Quorvin({"list", "--json"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(run.out.find("\"rate\":\"250\""), std::string::npos) << run.out;
    run = Quorvin({"export", "-"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(run.out.find("rate = 250"), std::string::npos) << run.out;

    // The write is refused: said so, exit 1, nothing changed.
    run = Quorvin({"set", kHidM, "--rate", "default"});
    EXPECT_EQ(run.code, cli::kExitFailed) << run.out;
    EXPECT_NE(run.out.find("FAILED"), std::string::npos) << run.out;
    m.machine.elevated = true;
    EXPECT_NE(Quorvin({"show", kHidM}).out.find("250"), std::string::npos);
}

TEST_F(CommandsTest, ADriverKeyThatDoesNotOpenIsAnUnknownRateNeverDefault) {
    ASSERT_EQ(Quorvin({"set", kHidM, "--rate", "250"}).code, cli::kExitDone);
    m.machine.AddFault({"SetupDiOpenDevRegKey", 0, kHidM, ERROR_ACCESS_DENIED});
    CliRun run = Quorvin({"list", "--json"});
    EXPECT_NE(run.out.find("\"rate\":\"unknown\""), std::string::npos) << run.out;
    run = Quorvin({"export", "-"});
    EXPECT_EQ(run.code, cli::kExitFailed);
    EXPECT_NE(run.err.find("cannot read the polling rate of " + kHidM), std::string::npos)
        << run.err;
    run = Quorvin({"set", kHidM, "--rate", "default", "--json"});
    EXPECT_EQ(run.code, cli::kExitFailed) << run.out;
    EXPECT_NE(run.out.find("\"before\":\"unknown\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("cannot be read"), std::string::npos) << run.out;
    m.machine.ClearFaults();
    EXPECT_NE(Quorvin({"show", kHidM}).out.find("250"), std::string::npos) << "unchanged";
}

// A device without a driver has no driver key: nothing is stored, which is "Default",
// and a profile of the machine can still be written.
TEST_F(CommandsTest, ADriverKeyThatDoesNotExistStoresNothing) {
    m.machine.AddFault({"SetupDiOpenDevRegKey", 0, kHidM, ERROR_KEY_DOES_NOT_EXIST});
    CliRun run = Quorvin({"list", "--json"});
    EXPECT_EQ(run.out.find("\"rate\":\"unknown\""), std::string::npos) << run.out;
    run = Quorvin({"export", "-"});
    EXPECT_EQ(run.code, cli::kExitDone) << run.err;
    EXPECT_NE(run.out.find("rate = Default"), std::string::npos) << run.out;
}

}  // namespace
