// Bad input at the edges of the program: the setup program's command line with odd
// quoting, very long arguments and bytes outside ASCII; the companion's command
// line when it is malformed; a setup information file that is missing. Each gets
// the behaviour the program promises or a clear one-line error, and nothing is
// written.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "companion/Companion.h"
#include "platform/sim/SimNames.h"
#include "tests/ReliabilityBench.h"
#include "ui/CommandLine.h"
#include "ui/headless/HeadlessWindow.h"

using namespace reliability;
using namespace std::string_literals;

namespace {

// The machine before and after: nothing stored, restarted, started or installed.
class Untouched {
  public:
    explicit Untouched(sim::Machine& machine)
        : machine_(machine), ids_(AllInstanceIds(machine)), before_(State()) {}

    void Check(const std::string& context) {
        EXPECT_TRUE(State() == before_) << context << ": a stored value changed";
        EXPECT_TRUE(machine_.restarts.empty()) << context;
        EXPECT_TRUE(machine_.infInstalls.empty()) << context;
        EXPECT_TRUE(machine_.shellRequests.empty()) << context;
        EXPECT_EQ(machine_.OpenKeyCount(), 0u) << context;
        EXPECT_EQ(machine_.OpenInfCount(), 0u) << context;
    }

  private:
    StoredState State() { return Snapshot(machine_, ids_, false); }

    sim::Machine& machine_;
    std::vector<std::string> ids_;
    StoredState before_;
};

struct CommandLineCase {
    std::string name;
    std::string commandLine;
    bool allDevices;
};

void PrintTo(const CommandLineCase& c, std::ostream* out) {
    *out << c.name;
}

class SetupCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(SetupCommandLine, OnlyAFirstArgumentOfSlashAllSelectsAllDevices) {
    const CommandLineCase& c = GetParam();
    EXPECT_EQ(ui::IsAllDevicesSwitch(ui::FirstArgument(c.commandLine)), c.allDevices);

    sim::Machine machine;
    sim::ScopedMachine use(machine);
    BuildVariant(machine, Variant::NT);
    Untouched untouched(machine);
    headless::WindowOptions options;
    options.commandLine = c.commandLine;
    headless::HeadlessWindow window(options);
    ui::TfrmSetup& form = window.Form();
    EXPECT_EQ(form.AllDevicesMode, c.allDevices);
    EXPECT_EQ(form.pnlHEAD->Showing(), !c.allDevices);
    // The demo machine lists 11 USB devices that are no hubs, and 3 HID mice.
    EXPECT_EQ(form.DeviceList->Count(), c.allDevices ? 11 : 3);
    EXPECT_TRUE(window.Desktop().MessageBoxes().empty());
    untouched.Check(c.name);
}

const std::string kLong(100000, 'A');

INSTANTIATE_TEST_SUITE_P(
    OddLines, SetupCommandLine,
    ::testing::Values(
        CommandLineCase{"QuotedSwitch", "quorvin.exe \"/all\"", true},
        CommandLineCase{"QuotedProgramWithBlanks", "\"C:\\Program Files\\q\\quorvin.exe\" /All",
                        true},
        CommandLineCase{"UnclosedQuote", "quorvin.exe \"/ALL", true},
        CommandLineCase{"QuoteAfterTheSwitch", "quorvin.exe /ALL\"", true},
        CommandLineCase{"EmptyQuotesBefore", "quorvin.exe \"\"/aLL", true},
        CommandLineCase{"SwitchSplitByQuotes", "quorvin.exe /A\"L\"L", true},
        CommandLineCase{"TabSeparated", "quorvin.exe\t\t/all\t", true},
        CommandLineCase{"LongBlanksAfter", "quorvin.exe /ALL" + std::string(100000, ' '), true},
        CommandLineCase{"LongProgramName", kLong + ".exe /ALL", true},
        CommandLineCase{"EscapedQuotes", "quorvin.exe \\\"/ALL\\\"", false},
        CommandLineCase{"EmptyFirstArgument", "quorvin.exe \"\" /ALL", false},
        CommandLineCase{"SwitchTwice", "quorvin.exe /ALL/ALL", false},
        CommandLineCase{"LongFirstArgument", "quorvin.exe /ALL" + kLong, false},
        CommandLineCase{"LongQuotedArgument", "quorvin.exe \"" + kLong + "\" /ALL", false},
        CommandLineCase{"LatinOneLetters", "quorvin.exe /\xC1LL", false},
        CommandLineCase{"DotlessI", "quorvin.exe /\xC4\xB1LL", false},
        CommandLineCase{"HighBytesAround", "quorvin.exe \xFF/ALL\xFF", false},
        CommandLineCase{"NulInside", "quorvin.exe /ALL\0x"s, false},
        CommandLineCase{"OnlyBlanks", "   ", false}, CommandLineCase{"Nothing", "", false}),
    [](const auto& info) { return info.param.name; });

// A companion command line that it does not understand, or that names a device or
// a file that is not there, ends with one line on the error stream, a non-zero
// exit code and nothing done.
struct CompanionCase {
    std::string name;
    std::string arguments;
    std::string message;  // the start of the one line
};

void PrintTo(const CompanionCase& c, std::ostream* out) {
    *out << c.name;
}

class CompanionBadInput : public ::testing::TestWithParam<CompanionCase> {};

TEST_P(CompanionBadInput, OneLineNonZeroAndNothingDone) {
    const CompanionCase& c = GetParam();
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    BuildVariant(machine, Variant::NT);
    machine.files.clear();
    Untouched untouched(machine);
    const companion::CompanionOutcome outcome = companion::RunCompanion(sim::Utf16(c.arguments));
    EXPECT_NE(outcome.exitCode, 0);
    const std::string& line = outcome.message;
    EXPECT_EQ(line.rfind(c.message, 0), 0u) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "not one line: " << line;
    EXPECT_EQ(machine.OpenSetCount(), 0u);
    untouched.Check(c.name);
}

const std::string kUsage = "usage: kevra64 ";

INSTANTIATE_TEST_SUITE_P(
    Malformed, CompanionBadInput,
    ::testing::Values(
        CompanionCase{"Empty", "", kUsage}, CompanionCase{"RestartWithoutId", "U", kUsage},
        CompanionCase{"RestartWithBlanksOnly", "U  \t ", kUsage},
        CompanionCase{"LowerCaseRestart", "u " + kPlainMouse, kUsage},
        CompanionCase{"RestartWordGlued", "U" + kPlainMouse, kUsage},
        CompanionCase{"UnknownCommand", "X quorvin.inf", kUsage},
        CompanionCase{"InstallWithoutWord", "e", kUsage},
        CompanionCase{"InstallWithoutFile", "e install", kUsage},
        CompanionCase{"InstallWithEmptyQuotes", "e install \"\"", kUsage},
        CompanionCase{"OtherVerb", "e uninstall quorvin.inf", kUsage},
        CompanionCase{"CapitalE", "E install quorvin.inf", kUsage},
        CompanionCase{"UnknownDevice", "U USB\\VID_FFFF&PID_FFFF\\1", "kevra64: no device"},
        CompanionCase{"QuotedId", "U \"" + kPlainMouse + "\"", "kevra64: no device"},
        CompanionCase{"VeryLongId", "U " + kLong, "kevra64: no device"},
        CompanionCase{"IdWithHighBytes", "U USB\\VID_\xE4\xF6\xFC\\\xFF", "kevra64: no device"},
        CompanionCase{"PhantomDevice", "U USB\\VID_2F1B&PID_0B22\\5&3B1D2A0&0&5",
                      "kevra64: the restart of"},
        CompanionCase{"MissingFile", "e install quorvin.inf", "kevra64: cannot open"},
        CompanionCase{"MissingQuotedFile", "e install \"no such dir\\quorvin.inf\"",
                      "kevra64: cannot open"},
        CompanionCase{"VeryLongFile", "e install " + kLong, "kevra64: cannot"},
        CompanionCase{"FileWithHighBytes", "e install \xFF\xFE.inf", "kevra64: cannot"}),
    [](const auto& info) { return info.param.name; });

// The well-formed lines next to them do their work, so the cases above fail for
// their input and not for the machine.
TEST(CompanionGoodInput, RestartAndInstallSucceedOnTheSameMachine) {
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    BuildVariant(machine, Variant::NT);
    EXPECT_EQ(companion::RunCompanion(sim::Utf16("U \t" + kPlainMouse + "  ")).exitCode, 0);
    EXPECT_EQ(machine.restarts, std::vector<std::string>{kPlainMouse});
    machine.files.push_back(machine.currentDirectory + "\\quorvin.inf");
    EXPECT_EQ(companion::RunCompanion(sim::Utf16("e install quorvin.inf")).exitCode, 0);
    EXPECT_EQ(machine.infInstalls.size(), 1u);
    EXPECT_EQ(machine.OpenSetCount(), 0u);
    EXPECT_EQ(machine.OpenInfCount(), 0u);
}

// "Install Service" with no setup information file beside the program: the request
// goes out all the same and its failure is the shell's to show; the window shows
// nothing and writes nothing. Under WOW64 the companion then reports the file.
TEST(MissingSetupInformation, InstallServiceAsksAnywayAndShowsNothing) {
    for (const Variant variant : {Variant::NT, Variant::Wow64}) {
        sim::Machine machine;
        sim::ScopedMachine use(machine);
        BuildVariant(machine, variant);
        machine.files.clear();
        if (variant == Variant::Wow64) {
            machine.files.push_back(kCompanionBesideProgram);
        }
        const StoredState before = Snapshot(machine, AllInstanceIds(machine), false);
        headless::HeadlessWindow window;
        window.Form().BitBtn_Install->UserClick();
        EXPECT_TRUE(window.Desktop().MessageBoxes().empty()) << VariantName(variant);
        EXPECT_TRUE(Snapshot(machine, AllInstanceIds(machine), false) == before);
        ASSERT_EQ(machine.shellRequests.size(), 1u) << VariantName(variant);
        const auto& request = machine.shellRequests.front();
        if (variant == Variant::NT) {
            EXPECT_EQ(request.verb, "install");
            EXPECT_EQ(request.file, "quorvin.inf");
            continue;
        }
        EXPECT_EQ(request.file, kCompanionBesideProgram);
        const companion::CompanionOutcome outcome =
            companion::RunCompanion(sim::Utf16(request.parameters.value_or("")));
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.message.rfind("kevra64: cannot open the setup information file", 0), 0u);
        EXPECT_TRUE(machine.infInstalls.empty());
    }
}

}  // namespace
