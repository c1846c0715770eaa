// Profiles between machines: export on one generated machine, apply on a second one
// with other instance IDs and another shape (matched by model), and on the first one
// after its settings were lost (matched by instance ID).
#include <gtest/gtest.h>

#include "platform/sim/SimSystem.h"

#include <map>
#include <sstream>

#include "cli/Arguments.h"
#include "cli/CliTestSupport.h"
#include "cli/DeviceFacts.h"
#include "cli/Profile.h"
#include "cli/ReachableDevices.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "platform/sim/SimMachineFile.h"
#include "tests/GeneratedMachine.h"

using namespace cli_test;

namespace {

struct Setting {
    bool filter;
    int rate;
    bool operator==(const Setting&) const = default;
};

struct DeviceState {
    std::string model;
    Setting setting;
    bool operator==(const DeviceState&) const = default;
};

// Every reachable device's model and setting, by upper-cased instance ID.
std::map<std::string, DeviceState> Snapshot(sim::Machine& machine) {
    sim::ScopedMachine use(machine);
    std::map<std::string, DeviceState> state;
    const cli::ReachableDevices reachable;
    for (device::TDevice* device : reachable.Devices()) {
        state[base::UpperAscii(device->GetInstanceId())] = {
            base::UpperAscii(cli::ModelHardwareId(cli::SplitHardwareIds(device->GetHardwareIds()))),
            {config::HasFilter(*device), config::ReadRateIndex(*device)}};
    }
    return state;
}

// Drops the filter and every stored rate, as a driver reinstall would.
void Wipe(sim::Machine& machine) {
    std::ostringstream saved;
    sim::SaveMachine(machine, saved);
    std::istringstream lines(saved.str());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("device ", 0) == 0) {
            const std::string id = line.substr(7);
            machine.RemoveProperty(id, SPDRP_LOWERFILTERS);
            if (machine.HasKey(id, DIREG_DRV)) {
                machine.Key(id, DIREG_DRV).erase("bInterval");
            }
        }
    }
}

// The same machine text with other instance IDs: every ID's last component gets a
// suffix, consistently in "device" and "parent" lines.
std::string WithOtherInstanceIds(const std::string& text) {
    std::istringstream lines(text);
    std::string result;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("device ", 0) == 0 || line.rfind("parent ", 0) == 0) {
            line += "&9";
        }
        result += line + '\n';
    }
    return result;
}

struct TwoMachines : ::testing::Test {
    sim::Machine first;
    sim::Machine second;

    TwoMachines() {
        generated::MachineGenerator(first, 60).Generate();
        // Both have the services of every filter they list (the driver and another
        // vendor's), so restarts after a change start the devices.
        sim::InstallDriverService(first, "quorvin");
        sim::InstallDriverService(first, "mfltx");
        sim::Machine template_;
        generated::MachineGenerator(template_, 110).Generate();
        sim::InstallDriverService(template_, "quorvin");
        sim::InstallDriverService(template_, "mfltx");
        std::ostringstream saved;
        sim::SaveMachine(template_, saved);
        std::istringstream altered(WithOtherInstanceIds(saved.str()));
        sim::LoadMachine(second, altered);
        Wipe(second);
    }

    std::string Export() {
        sim::ScopedMachine use(first);
        const CliRun run = Quorvin({"export"});
        EXPECT_EQ(run.code, 0) << run.err;
        return run.out;
    }
};

TEST_F(TwoMachines, AProfileAppliesByModelOnAnotherMachine) {
    const std::string profileText = Export();
    const cli::Profile profile = cli::ParseProfile(profileText);
    ASSERT_GT(profile.entries.size(), 3u);
    // The setting each model gets: its first entry's.
    std::map<std::string, Setting> byModel;
    for (const cli::ProfileEntry& entry : profile.entries) {
        byModel.emplace(base::UpperAscii(entry.hardwareId), Setting{*entry.filter, *entry.rate});
    }
    const auto before = Snapshot(second);

    sim::ScopedMachine use(second);
    second.ClearCalls();
    const CliRun applied = Quorvin({"apply", "-", "--force", "--json"}, profileText);
    EXPECT_EQ(applied.code, 0) << applied.err;
    EXPECT_EQ(applied.out.find("\"matchedBy\":\"instance-id\""), std::string::npos);
    EXPECT_NE(applied.out.find("\"matchedBy\":\"hardware-id\""), std::string::npos);

    std::size_t configured = 0;
    for (const auto& [id, state] : Snapshot(second)) {
        const auto model = byModel.find(state.model);
        if (model == byModel.end()) {
            EXPECT_EQ(state.setting, before.at(id).setting) << id << " is no model of the profile";
        } else {
            EXPECT_EQ(state.setting, model->second) << id;
            ++configured;
        }
    }
    EXPECT_GT(configured, byModel.size()) << "the second machine has more of each model";

    // Applying again changes nothing.
    second.ClearCalls();
    const CliRun again = Quorvin({"apply", "-", "--json"}, profileText);
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out.find("\"changed\":true"), std::string::npos);
    EXPECT_EQ(ChangingCalls(second), 0u);
}

TEST_F(TwoMachines, TheSameMachineGetsBackExactlyWhatItHad) {
    const auto before = Snapshot(first);
    const std::string profileText = Export();
    Wipe(first);
    ASSERT_NE(Snapshot(first), before);

    sim::ScopedMachine use(first);
    const CliRun applied = Quorvin({"apply", "-", "--force"}, profileText);
    EXPECT_EQ(applied.code, 0) << applied.err;
    const auto after = Snapshot(first);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [id, state] : before) {
        EXPECT_EQ(after.at(id).setting, state.setting) << id;
    }
    EXPECT_EQ(applied.out.find("no device for"), std::string::npos);
}

TEST_F(TwoMachines, ApplyRestartsOnlyTheDevicesItChanged) {
    const std::string profileText = Export();
    sim::ScopedMachine use(first);
    const CliRun unchanged = Quorvin({"apply", "-", "--restart"}, profileText);
    EXPECT_EQ(unchanged.code, 0) << unchanged.err;
    EXPECT_TRUE(first.restarts.empty());

    const cli::Profile profile = cli::ParseProfile(profileText);
    const std::string& id = profile.entries.front().instanceId;
    first.Key(id, DIREG_DRV).erase("bInterval");
    const CliRun one = Quorvin({"apply", "-", "--restart"}, profileText);
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(first.restarts, std::vector<std::string>{id});
}

TEST(ProfileMatching, AnInstanceIdEntryWinsOverAModelEntryForItsDevice) {
    sim::Machine machine;
    sim::BuildDemoMachine(machine);
    sim::ScopedMachine use(machine);
    const std::string plain = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
    const std::string profile =
        "version = 1\n"
        "[device]\nhardware-id = usb\\vid_0e8f&pid_0021\nrate = 500\n"
        "[device]\ninstance-id = " +
        plain +
        "\nrate = 1000\n"
        "[device]\nhardware-id = USB\\VID_FFFF&PID_FFFF\nfilter = on\n";
    const CliRun run = Quorvin({"apply", "-"}, profile);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find(plain + ": rate 250 -> 1000"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("no device for usb\\vid_0e8f&pid_0021"), std::string::npos);
    EXPECT_NE(run.out.find("no device for USB\\VID_FFFF&PID_FFFF"), std::string::npos);
}

}  // namespace
