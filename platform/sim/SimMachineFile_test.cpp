// Saving a simulated machine and reading it back: the same machine for every program
// question, phantoms and registry bytes included; and text it cannot read refused
// with the line named.
#include <gtest/gtest.h>

#include <sstream>

#include "device/DeviceList.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachineFile.h"
#include "tests/GeneratedMachine.h"

namespace {

std::string Saved(sim::Machine& machine) {
    std::ostringstream out;
    sim::SaveMachine(machine, out);
    return out.str();
}

void Load(sim::Machine& machine, const std::string& text) {
    std::istringstream in(text);
    sim::LoadMachine(machine, in);
}

// What the window's three lists show of a machine: IDs, names, mouse and hub.
std::string Lists(sim::Machine& machine) {
    sim::ScopedMachine use(machine);
    std::string text;
    for (const auto& [mice, all] : {std::pair{false, false}, {true, false}, {false, true}}) {
        device::TDeviceList list(mice, all);
        for (int i = 0; i < list.Count(); ++i) {
            device::TDevice& d = list.GetDevice(i);
            text += d.GetInstanceId() + "|" + d.GetDescription() + "|" + d.GetParentName() + "|" +
                    d.GetChildNames() + "|" + (d.IsHub() ? "hub" : "") + "\n";
        }
        text += "--\n";
    }
    return text;
}

TEST(SimMachineFile, TheDemoMachineReadsBackAsTheSameMachine) {
    sim::Machine demo;
    sim::BuildDemoMachine(demo);
    demo.platformId = VER_PLATFORM_WIN32_WINDOWS;
    demo.wow64 = sim::Wow64Mode::Wow64;
    demo.files = {"quorvin.inf", "file with blanks.inf"};
    demo.Key("USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2", DIREG_DRV)["name with blanks"] = {
        REG_BINARY, std::string("\0\xFF\n", 3)};
    // Beyond ASCII, and one unit that is not a character alone.
    sim::SetBusReportedName(demo, "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2",
                            u"Maus \u00e9 \u4e2d \xd83d");
    const std::string text = Saved(demo);

    sim::Machine loaded;
    Load(loaded, text);
    EXPECT_EQ(Saved(loaded), text);
    EXPECT_EQ(Lists(loaded), Lists(demo));
    EXPECT_EQ(loaded.DeviceCount(), demo.DeviceCount());
    EXPECT_EQ(loaded.NodeOf("USB\\VID_2F1B&PID_0B22\\5&3B1D2A0&0&5"), 0u) << "still a phantom";
    EXPECT_EQ(loaded.platformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(loaded.wow64, sim::Wow64Mode::Wow64);
    EXPECT_EQ(loaded.files, demo.files);
    EXPECT_EQ(sim::BusReportedNames(loaded), sim::BusReportedNames(demo));
    EXPECT_GT(sim::BusReportedNames(loaded).size(), 1u);
    EXPECT_EQ(
        loaded.Key("USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2", DIREG_DRV)["name with blanks"].data,
        std::string("\0\xFF\n", 3));
    EXPECT_FALSE(loaded.HasKey("USB\\VID_16C0&PID_05DF\\5&2D7E1F3&0&2", DIREG_DRV));
}

TEST(SimMachineFile, AGeneratedMachineReadsBackAfterRestartsAndUnplugs) {
    sim::Machine machine;
    generated::MachineGenerator(machine, 120).Generate();
    sim::Machine reference;
    Load(reference, Saved(machine));
    // Restarts renumber nodes; the file keeps the tree, not the numbers, and what the
    // restarted devices started with.
    const std::string first = machine.InstanceIdOf(0x100 + 3);
    machine.Restart(first);
    std::istringstream saved(Saved(machine));
    std::string rest;
    bool firstStarted = false;
    for (std::string line; std::getline(saved, line);) {
        if (line.rfind("started ", 0) == 0) {
            firstStarted = firstStarted || line.ends_with(" " + first);
        } else {
            rest += line + '\n';
        }
    }
    EXPECT_TRUE(firstStarted);
    EXPECT_EQ(rest, Saved(reference));
    machine.Unplug(first);
    sim::Machine loaded;
    Load(loaded, Saved(machine));
    EXPECT_EQ(Lists(loaded), Lists(machine));
    EXPECT_EQ(loaded.NodeOf(first), 0u);
}

// The undo journal lives on the disk and the measured rate follows what a restart
// left: both must outlast the run of a program on the demo machine.
TEST(SimMachineFile, KeepsTheDiskAndWhatRestartedDevicesStartedWith) {
    sim::Machine machine;
    sim::BuildDemoMachine(machine);
    sim::Disk& disk = machine.disk();
    disk.AddFolder("C:\\ProgramData\\Journal folder", "SY", "D:P(A;OICI;FA;;;SY)");
    disk.AddFile("C:\\ProgramData\\Journal folder\\j.txt", std::string("line\r\n\0end", 11));
    disk.AddFile("C:\\ProgramData\\empty.txt", "", "S-1-5-21-7", "");
    disk.AddLink("C:\\ProgramData\\planted", "C:\\Users\\x y", true, "S-1-5-21-7");
    const std::string mouse = "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2";
    sim::SetStartedWith(machine, mouse, 1u);
    sim::SetStartedWith(machine, "USB\\VID_1A2C&PID_4C5E\\5&3B1D2A0&0&1", std::nullopt);

    sim::Machine loaded;
    Load(loaded, Saved(machine));
    EXPECT_EQ(Saved(loaded), Saved(machine));
    const sim::DiskEntry& file = loaded.disk().Get("c:\\programdata\\journal folder\\J.TXT");
    EXPECT_EQ(file.content, std::string("line\r\n\0end", 11));
    EXPECT_EQ(file.durable, file.content);
    EXPECT_EQ(loaded.disk().Get("C:\\ProgramData\\Journal folder").dacl, "D:P(A;OICI;FA;;;SY)");
    EXPECT_EQ(loaded.disk().Get("C:\\ProgramData\\empty.txt").owner, "S-1-5-21-7");
    EXPECT_EQ(loaded.disk().Get("C:\\ProgramData\\planted").linkTarget, "C:\\Users\\x y");
    EXPECT_EQ(sim::StartedWith(loaded), sim::StartedWith(machine));
    ASSERT_EQ(sim::StartedWith(loaded).count(mouse), 1u);
    EXPECT_EQ(sim::StartedWith(loaded).at(mouse), 1u);
}

struct BadFile {
    const char* name;
    std::string text;
    std::string message;
};

class SimMachineFileRefuses : public ::testing::TestWithParam<BadFile> {};

TEST_P(SimMachineFileRefuses, NamingTheLine) {
    sim::Machine machine;
    try {
        Load(machine, GetParam().text);
        FAIL() << "accepted";
    } catch (const sim::MachineFileError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

const std::string kHeader = "quorvin-sim-machine 1\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SimMachineFileRefuses,
    ::testing::Values(
        BadFile{"empty", "", "empty file"},
        BadFile{"other_file", "version = 1\n", "line 1: not a simulated machine file"},
        BadFile{"unknown_line", kHeader + "colour blue\n", "line 2: \"colour\" outside a device"},
        BadFile{"bad_guid", kHeader + "device A\\1\nclass {nope}\n", "line 3: bad GUID"},
        BadFile{"odd_hex", kHeader + "device A\\1\nproperty 0x0 1 ABC\n", "line 3: odd number"},
        BadFile{"bad_hex", kHeader + "device A\\1\nproperty 0x0 1 ZZ\n", "line 3: bad number"},
        BadFile{"negative", kHeader + "platform-id -1\n", "line 2: bad number"},
        BadFile{"value_outside_key", kHeader + "device A\\1\nvalue 4 00000000 x\n",
                "line 3: value outside a key"},
        BadFile{"child_first", kHeader + "device A\\2\nparent A\\1\ndevice A\\1\n",
                "line 2: parent not listed before its child"},
        BadFile{"duplicate", kHeader + "device A\\1\ndevice a\\1\n",
                "line 3: device already present"},
        BadFile{"odd_name", kHeader + "bus-name 410042 A\\1\n", "line 2: odd number of UTF-16"},
        BadFile{"bad_wow64", kHeader + "wow64 maybe\n", "line 2: bad wow64 mode"},
        BadFile{"disk_file_short", kHeader + "disk-file BA\n", "line 2: missing field"},
        BadFile{"started_bad", kHeader + "started x A\\1\n", "line 2: bad number"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
