// The native program's demo machine between runs: the options it takes, where the
// file lives by default, and a change made in one run seen by the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CliTestSupport.h"
#include "cli/ExitCodes.h"
#include "cli/demo/DemoMachineFile.h"
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
