// Bad input to quorvin: a clear error on one line, exit code 2, and nothing changed
// on the machine (no registry write, restart or shell request in the call log).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CliTestSupport.h"
#include "ui/headless/SetupTestMachine.h"

using namespace cli_test;
using namespace setup_test;

namespace {

struct BadCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;  // a part of the error line
    std::string input = {};
};

void PrintTo(const BadCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kValidHeader = "version = 1\n[device]\n";

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, ClearErrorExitTwoAndNothingChanged) {
    SetupMachine m;
    const BadCase& c = GetParam();
    const CliRun run = Quorvin(c.args, c.input);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(Lines(run.err), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("quorvin: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ChangingCalls(m.machine), 0u);
    EXPECT_TRUE(m.machine.restarts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    ::testing::Values(
        BadCase{"no_command", {}, "no command"},
        BadCase{"unknown_command", {"frobnicate"}, "unknown command \"frobnicate\""},
        BadCase{"unknown_option",
                {"set", kHidM, "--rate", "125", "--colour"},
                "unknown option --colour"},
        BadCase{"option_without_value", {"set", kHidM, "--rate"}, "--rate needs a value"},
        BadCase{"option_twice", {"set", kHidM, "--rate", "125", "--rate=500"}, "given twice"},
        BadCase{
            "switch_with_value", {"set", kHidM, "--rate", "125", "--force=yes"}, "takes no value"},
        BadCase{"extra_argument", {"set", kHidM, kHidA, "--rate", "125"}, "unexpected argument"},
        BadCase{"nothing_to_set", {"set", kHidM}, "needs --filter, --rate or --restart"},
        BadCase{"no_device", {"set", "--rate", "125"}, "needs a DEVICE"},
        BadCase{"bad_rate", {"set", kHidM, "--rate", "100"}, "bad rate \"100\""},
        BadCase{"bad_rate_before_bad_device", {"set", "nonsense", "--rate", "100"}, "bad rate"},
        BadCase{"bad_filter", {"set", kHidM, "--filter", "yes"}, "bad value \"yes\" for --filter"},
        BadCase{"unknown_instance_id",
                {"set", "USB\\VID_9999&PID_9999\\1", "--rate", "125"},
                "no listed device matches"},
        BadCase{"malformed_device", {"set", "mouse", "--rate", "125"}, "no instance ID"},
        BadCase{"short_pattern", {"set", "VID_111&PID_2222", "--rate", "125"}, "no instance ID"},
        BadCase{"row_zero", {"set", "0", "--rate", "125"}, "no row 0"},
        BadCase{"row_past_the_end", {"set", "6", "--rate", "125"}, "no row 6"},
        BadCase{"ambiguous_pattern",
                {"set", "vid_1111&pid_2222", "--filter", "off"},
                "matches 3 devices"},
        BadCase{"one_hub_among_several",
                {"set", "VID_1111&PID_2222", "--all-matching", "--filter", "on"},
                "--force"},
        BadCase{"unreadable_profile",
                {"apply", "/nonexistent/quorvin.profile"},
                "cannot read the profile"},
        BadCase{"profile_without_version",
                {"apply", "-"},
                "standard input: profile line 1: \"version = 1\" must come first",
                "[device]\nhardware-id = USB\\VID_3333&PID_4444\nfilter = off\n"},
        BadCase{"profile_bad_rate",
                {"apply", "-"},
                "profile line 4: bad rate",
                kValidHeader + "instance-id = " + kHidM + "\nrate = 2000\n"},
        BadCase{"profile_bad_line_after_good_entry",
                {"apply", "-"},
                "profile line 6: expected \"name = value\"",
                kValidHeader + "instance-id = " + kHidM + "\nrate = 1000\n[device]\nfilter on\n"},
        BadCase{"profile_binary", {"apply", "-"}, "NUL byte", std::string("version = 1\0", 12)},
        BadCase{"status_with_argument", {"status", kHidM}, "unexpected argument"},
        BadCase{"status_unknown_option", {"status", "--all"}, "unknown option --all"},
        BadCase{"undo_with_argument", {"undo", "1"}, "unexpected argument \"1\""},
        BadCase{"undo_unknown_option", {"undo", "--force"}, "unknown option --force"},
        BadCase{"measure_no_device", {"measure"}, "measure needs a DEVICE"},
        BadCase{"measure_zero_seconds", {"measure", kHidM, "--seconds", "0"}, "bad --seconds"},
        BadCase{"measure_seconds_not_a_number",
                {"measure", kHidM, "--seconds=5s"},
                "bad --seconds \"5s\""},
        BadCase{"measure_too_long", {"measure", kHidM, "--seconds", "99999999999"}, "1 to 3600"},
        BadCase{"measure_several_devices", {"measure", "VID_1111&PID_2222"}, "matches 3 devices"},
        BadCase{"measure_bad_device", {"measure", "7"}, "no row 7"},
        BadCase{"apply_needs_force_for_a_hub",
                {"apply", "-"},
                "--force",
                kValidHeader + "instance-id = " + kHidM + "\nrate = 1000\n[device]\n" +
                    "instance-id = " + kHidH + "\nfilter = on\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BadInputFiles, AProfileThatIsAFolderIsRefused) {
    SetupMachine m;
    const CliRun run = Quorvin({"apply", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(Lines(run.err), 1u);
    EXPECT_EQ(ChangingCalls(m.machine), 0u);
}

TEST(BadInputFiles, AnExportThatCannotBeWrittenFailsWithExitOne) {
    SetupMachine m;
    const CliRun run = Quorvin({"export", "/nonexistent/folder/profile.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("cannot write the profile"), std::string::npos);
}

}  // namespace
