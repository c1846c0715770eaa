// The native program's demo machine between runs: the options it takes, where the
// file lives by default, and a change made in one run seen by the next.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "cli/demo/DemoMachineFile.h"
#include "cli/demo/MachineLock.h"
#include "journal/JournalStore.h"
#include "platform/sim/SimMachineFile.h"

using namespace cli_test;

namespace {

struct DemoRuns : ::testing::Test {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("quorvin-demo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string file = (folder / "state" / "demo-machine.txt").string();

    ~DemoRuns() override { std::filesystem::remove_all(folder); }

    // One run of the program: load (or build), run the command, save.
    CliRun Run(const std::vector<std::string>& args) {
        sim::Machine machine;
        sim::ScopedMachine use(machine);
        demo::LoadOrBuild(machine, file);
        const CliRun run = Quorvin(args);
        demo::Save(machine, file);
        return run;
    }
};

TEST_F(DemoRuns, AChangeMadeInOneRunIsThereInTheNext) {
    const std::string plain = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
    EXPECT_EQ(Run({"set", plain, "--rate", "1000"}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_NE(Run({"show", plain}).out.find("Rate:           1000"), std::string::npos);

    // A restart in one run leaves a machine the next run reads.
    EXPECT_EQ(Run({"restart", plain}).code, 0);
    EXPECT_NE(Run({"show", plain}).out.find("1000"), std::string::npos);
}

TEST_F(DemoRuns, AnUnreadableStateIsRefusedAndKept) {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file) << "quorvin-sim-machine 1\ndevice\n";
    sim::Machine machine;
    EXPECT_THROW(demo::LoadOrBuild(machine, file), sim::MachineFileError);
    std::ifstream in(file);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "quorvin-sim-machine 1");
}

// Runs of the program started together, each in a process of its own, as a deployment
// script starts them: every change each reports is kept, with its journal record.
TEST_F(DemoRuns, RunsSideBySideLoseNoChangeAndNoRecord) {
    const std::string plain = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";  // rate 250 at first
    const std::vector<std::string> rates = {"1000", "500", "125", "62", "31", "Default"};
    std::vector<pid_t> children;
    for (const std::string& rate : rates) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            demo::DemoOptions options;
            options.machineFile = file;
            options.rest = {"set", plain, "--rate", rate};
            int code = 99;
            try {
                code = demo::RunDemo(options);
            } catch (...) {
                // A forked child must not unwind into the parent's test: its exit
                // code 99, which the parent checks, says that it threw.
            }
            ::_exit(code);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    ASSERT_NO_THROW(demo::LoadOrBuild(machine, file));
    const journal::LoadedJournal journal = journal::LoadJournal();
    ASSERT_TRUE(journal.ok) << journal.message;
    ASSERT_EQ(journal.journal.entries.size(), rates.size());
    // One chain: each change starts from what the one before it wrote.
    for (std::size_t i = 1; i < rates.size(); ++i) {
        EXPECT_EQ(journal.journal.entries[i].change.before,
                  journal.journal.entries[i - 1].change.after);
    }
    // No run left its temporary file behind.
    for (const auto& entry : std::filesystem::directory_iterator(folder / "state")) {
        EXPECT_EQ(entry.path().string().find(".new"), std::string::npos) << entry.path();
    }
}

TEST_F(DemoRuns, ReadingCommandsWorkOnAFileTheyMayNotWrite) {
    EXPECT_EQ(Run({"set", "1", "--rate", "500"}).code, 0);
    const std::filesystem::path state = folder / "state";
    std::filesystem::permissions(
        state, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const bool root = ::geteuid() == 0;  // root writes anyway: only the outcome is checked
    for (const char* command : {"list", "status", "show"}) {
        demo::DemoOptions options;
        options.machineFile = file;
        options.rest = {command};
        if (std::string(command) == "show") {
            options.rest.push_back("1");
        }
        const int null = ::open("/dev/null", O_WRONLY);
        const int saved = ::dup(1);
        ::dup2(null, 1);
        int code = -1;
        EXPECT_NO_THROW(code = demo::RunDemo(options)) << command;
        ::dup2(saved, 1);
        ::close(saved);
        ::close(null);
        EXPECT_TRUE(code == 0 || (std::string(command) == "status" && code == 4)) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(file + ".lock"));
    if (!root) {
        demo::DemoOptions options;
        options.machineFile = file;
        options.rest = {"set", "1", "--rate", "1000"};
        EXPECT_THROW(demo::RunDemo(options), std::runtime_error);
    }
    std::filesystem::permissions(state, std::filesystem::perms::owner_all);
}

TEST(DemoOptions, OnlyCommandsThatMayChangeTheMachineTakeTheLock) {
    for (const char* command : {"list", "show", "status", "export", "measure"}) {
        EXPECT_FALSE(demo::ChangesMachine({command, "1"})) << command;
    }
    EXPECT_FALSE(demo::ChangesMachine({"set", "--help"}));
    for (const char* command : {"set", "restart", "apply", "undo", "install", "unknown"}) {
        EXPECT_TRUE(demo::ChangesMachine({command})) << command;
    }
}

TEST(DemoOptions, MachineAndResetAreTakenOutWhereverTheyStand) {
    const demo::DemoOptions options =
        demo::TakeDemoOptions({"--reset", "list", "--machine", "m.txt", "--json"});
    EXPECT_TRUE(options.reset);
    EXPECT_EQ(options.machineFile, "m.txt");
    EXPECT_EQ(options.rest, (std::vector<std::string>{"list", "--json"}));
    EXPECT_EQ(demo::TakeDemoOptions({"--machine=x y.txt"}).machineFile, "x y.txt");
    EXPECT_THROW(demo::TakeDemoOptions({"list", "--machine"}), cli::UsageError);
    EXPECT_THROW(demo::TakeDemoOptions({"--machine="}), cli::UsageError);
}

TEST(DemoOptions, TheDefaultFileLivesInTheUsersStateFolder) {
    EXPECT_EQ(demo::DefaultMachineFile("/x/state", "/home/u"), "/x/state/quorvin/demo-machine.txt");
    EXPECT_EQ(demo::DefaultMachineFile(nullptr, "/home/u"),
              "/home/u/.local/state/quorvin/demo-machine.txt");
    // A relative XDG_STATE_HOME is invalid and ignored.
    EXPECT_EQ(demo::DefaultMachineFile("rel", "/home/u"),
              "/home/u/.local/state/quorvin/demo-machine.txt");
    EXPECT_EQ(demo::DefaultMachineFile(nullptr, nullptr), "");
}

}  // namespace
