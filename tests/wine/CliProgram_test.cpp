// quorvin.exe under Wine against the real SetupAPI and registry: devices made by the
// Win32 test bed, the program run as a child process with its output in files, and
// what it changed read back from the registry. The JSON it printed is also left in
// cli-json\ beside this suite, where scripts/wine/test.sh hands it to python3's json
// module.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device/DevInfo.h"
#include "tests/wine/ProgramFolder.h"
#include "tests/wine/SuiteHandles.h"
#include "tests/wine/Win32DeviceBed.h"

using namespace std::string_literals;

namespace {

const std::string kModel = "USB\\VID_1A2B&PID_0101";
const std::string kFirst = kModel + "\\7&2A3B4C5D&0&1";
const std::string kSecond = kModel + "\\7&2A3B4C5D&0&2";

using winbed::OwnedHandle;

using winbed::SuiteFolder;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

using winbed::ProgramRun;

// Runs quorvin.exe (winbed::ProgramFile) with each command line given, all at once
// (each with output files of its own), and waits for every one.
std::vector<ProgramRun> RunQuorvinTogether(const std::vector<std::string>& argumentLists) {
    const std::string folder = SuiteFolder();
    const std::string program = winbed::ProgramFile("quorvin.exe");
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    std::vector<ProgramRun> runs(argumentLists.size());
    std::vector<std::pair<std::string, std::string>> files;
    {
        std::vector<OwnedHandle> handles;
        std::vector<HANDLE> processes;
        for (std::size_t i = 0; i < argumentLists.size(); ++i) {
            const std::string suffix = i == 0 ? "" : "-" + std::to_string(i);
            files.emplace_back(folder + "quorvin-out" + suffix + ".txt",
                               folder + "quorvin-err" + suffix + ".txt");
            OwnedHandle out(::CreateFileA(files[i].first.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            OwnedHandle err(::CreateFileA(files[i].second.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (out.get() == INVALID_HANDLE_VALUE || err.get() == INVALID_HANDLE_VALUE) {
                ADD_FAILURE() << "cannot make the output files in " << folder;
                return runs;
            }
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = out.get();
            startup.hStdError = err.get();
            std::string commandLine = "\"" + program + "\" " + argumentLists[i];
            PROCESS_INFORMATION process{};
            if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                  nullptr, nullptr, &startup, &process)) {
                ADD_FAILURE() << "cannot start " << program;
                return runs;
            }
            ::CloseHandle(process.hThread);
            handles.emplace_back(process.hProcess);
            processes.push_back(process.hProcess);
            handles.push_back(std::move(out));
            handles.push_back(std::move(err));
        }
        for (std::size_t i = 0; i < processes.size(); ++i) {
            ::WaitForSingleObject(processes[i], 60000);
            ::GetExitCodeProcess(processes[i], &runs[i].code);
        }
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        runs[i].out = ReadFile(files[i].first);
        runs[i].err = ReadFile(files[i].second);
    }
    return runs;
}

ProgramRun RunQuorvin(const std::string& arguments) {
    return RunQuorvinTogether({arguments}).front();
}

BedDevice Mouse(const std::string& id) {
    BedDevice device;
    device.instanceId = id;
    device.classGuid = device::guids::GUID_DEVCLASS_HIDCLASS;
    device.description = "Lab Mouse";
    device.hardwareIds = {kModel + "&REV_0100", kModel};
    return device;
}

BedValue Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return {REG_DWORD, bytes};
}

std::string LowerFilters(Win32DeviceBed& bed, const std::string& id) {
    const auto value = bed.LowerFilters(id);
    return value ? value->bytes : "<none>";
}

std::string Interval(Win32DeviceBed& bed, const std::string& id) {
    const auto value = bed.DriverValue(id, "bInterval");
    return value ? value->bytes : "<none>";
}

struct CliProgram : ::testing::Test {
    Win32DeviceBed bed;
    std::string jsonFolder = SuiteFolder() + "cli-json\\";

    CliProgram() {
        ::CreateDirectoryA(jsonFolder.c_str(), nullptr);
        bed.Add(Mouse(kFirst));
        bed.Add(Mouse(kSecond));
    }

    void KeepJson(const char* name, const std::string& text) {
        WriteFile(jsonFolder + name + ".json", text);
    }
};

TEST_F(CliProgram, ListSetExportAndApplyOnTheRealSetupApi) {
    const ProgramRun list = RunQuorvin("list --json");
    ASSERT_EQ(list.code, 0u) << list.err;
    EXPECT_NE(list.out.find("\"version\":1"), std::string::npos);
    EXPECT_NE(list.out.find("\"instanceId\":\"USB\\\\VID_1A2B&PID_0101\\\\7&2A3B4C5D&0&1\""),
              std::string::npos)
        << list.out;
    KeepJson("list", list.out);

    const ProgramRun set = RunQuorvin("set " + kFirst + " --filter on --rate 500 --force --json");
    ASSERT_EQ(set.code, 0u) << set.err;
    EXPECT_EQ(LowerFilters(bed, kFirst), "quorvin\0\0"s);
    EXPECT_EQ(Interval(bed, kFirst), Dword(2).bytes);
    EXPECT_EQ(Interval(bed, kSecond), "<none>");
    KeepJson("set", set.out);

    const std::string profile = SuiteFolder() + "quorvin-profile.txt";
    const ProgramRun exported = RunQuorvin("export \"" + profile + "\"");
    ASSERT_EQ(exported.code, 0u) << exported.err;
    const std::string profileText = ReadFile(profile);
    EXPECT_NE(profileText.find("instance-id = " + kFirst), std::string::npos) << profileText;
    EXPECT_NE(profileText.find("hardware-id = " + kModel + "\n"), std::string::npos)
        << "the model's ID without the revision";

    // The same machine after a driver reinstall: the first mouse lost its settings.
    bed.SetLowerFilters(kFirst, {REG_MULTI_SZ, "mfltx\0\0"s});
    bed.SetDriverValue(kFirst, "bInterval", Dword(8));
    const ProgramRun same = RunQuorvin("apply \"" + profile + "\" --force --json");
    ASSERT_EQ(same.code, 0u) << same.err;
    EXPECT_EQ(LowerFilters(bed, kFirst), "quorvin\0mfltx\0\0"s);
    EXPECT_EQ(Interval(bed, kFirst), Dword(2).bytes);
    EXPECT_EQ(Interval(bed, kSecond), "<none>");
    EXPECT_NE(same.out.find("\"matchedBy\":\"instance-id\""), std::string::npos) << same.out;
    KeepJson("apply-same", same.out);

    // Another machine: no device has the profile's instance ID, both have the model.
    std::string other = profileText;
    other.replace(other.find(kFirst), kFirst.size(), kModel + "\\9&FFFF&0&1");
    WriteFile(profile, other);
    const ProgramRun second = RunQuorvin("apply \"" + profile + "\" --force --json");
    ASSERT_EQ(second.code, 0u) << second.err;
    EXPECT_EQ(LowerFilters(bed, kSecond), "quorvin\0\0"s);
    EXPECT_EQ(Interval(bed, kSecond), Dword(2).bytes);
    EXPECT_NE(second.out.find("\"matchedBy\":\"hardware-id\""), std::string::npos);
    KeepJson("apply-other", second.out);
}

// A device name in the ANSI code page beyond ASCII reaches --json as the characters
// it stands for: Windows-1252's 0x80 is the euro sign, not U+0080.
TEST_F(CliProgram, ANameBeyondAsciiReachesJsonAsItsCharacters) {
    ASSERT_EQ(::GetACP(), 1252u) << "the name is written in code page 1252";
    BedDevice named = Mouse(kModel + "\\7&2A3B4C5D&0&3");
    named.description = "Souris \x80 \xE9l\xE8ve";
    bed.Add(named);
    const ProgramRun list = RunQuorvin("list --json");
    ASSERT_EQ(list.code, 0u) << list.err;
    EXPECT_NE(list.out.find("\"description\":\"Souris \\u20ac \\u00e9l\\u00e8ve\""),
              std::string::npos)
        << list.out;
    KeepJson("list-ansi-name", list.out);
}

// Wine's prefix has no quorvin service: a device that carries the filter would not
// start, and status says so through its exit code, from the real service manager and
// configuration manager.
TEST_F(CliProgram, StatusTellsABrokenSetupByItsExitCode) {
    const ProgramRun healthy = RunQuorvin("status --json");
    ASSERT_EQ(healthy.code, 0u) << healthy.out << healthy.err;
    EXPECT_NE(healthy.out.find("\"known\":true,\"installed\":false"), std::string::npos)
        << healthy.out;
    EXPECT_NE(healthy.out.find("\"devices\":[]"), std::string::npos);

    ASSERT_EQ(RunQuorvin("set " + kFirst + " --filter on --force").code, 0u);
    const ProgramRun broken = RunQuorvin("status --json");
    EXPECT_EQ(broken.code, 4u) << broken.out << broken.err;
    EXPECT_NE(broken.out.find("\"instanceId\":\"USB\\\\VID_1A2B&PID_0101\\\\7&2A3B4C5D&0&1\""),
              std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("\"broken\":true}"), std::string::npos);
    EXPECT_EQ(broken.out.find("7&2A3B4C5D&0&2"), std::string::npos) << "no filter there";
    KeepJson("status", broken.out);

    const ProgramRun text = RunQuorvin("status");
    EXPECT_EQ(text.code, 4u);
    EXPECT_NE(text.out.find("Driver service: not installed"), std::string::npos) << text.out;
}

// The journal under Wine's program-data folder: set records, undo takes back. Where
// Wine's files do not pass the journal's access checks, the change needs --force and
// undo must then fail without writing.
TEST_F(CliProgram, UndoTakesBackWhatSetRecorded) {
    const ProgramRun set = RunQuorvin("set " + kSecond + " --rate 125 --force --json");
    ASSERT_EQ(set.code, 0u) << set.err;
    ASSERT_EQ(Interval(bed, kSecond), Dword(8).bytes);
    const bool recorded = set.out.find("\"note\"") == std::string::npos;
    const ProgramRun undo = RunQuorvin("undo --all --json");
    KeepJson("undo", undo.out);
    if (recorded) {
        EXPECT_EQ(undo.code, 0u) << undo.out << undo.err;
        EXPECT_EQ(Interval(bed, kSecond), "<none>");
    } else {
        EXPECT_EQ(undo.code, 1u) << undo.out << undo.err;
        EXPECT_EQ(Interval(bed, kSecond), Dword(8).bytes);
    }
}

// The number of changes the journal holds, as status reports it; -1 when unknown.
int JournalChanges() {
    const ProgramRun status = RunQuorvin("status --json");
    const std::string key = "\"changes\":";
    const std::size_t at = status.out.find(key);
    return at == std::string::npos ? -1 : std::atoi(status.out.c_str() + at + key.size());
}

// Two programs at once, each changing the same device several times: the journal's
// lock keeps every record and every replace of the journal succeeds, readers (status)
// included, on Wine's real files, sharing modes and renames.
TEST_F(CliProgram, TwoProgramsAtOnceLoseNoJournalRecord) {
    const int before = JournalChanges();
    const ProgramRun probe = RunQuorvin("set " + kSecond + " --rate 1000 --json");
    if (probe.code != 0 || before < 0 || probe.out.find("\"note\"") != std::string::npos) {
        GTEST_SKIP() << "Wine's files do not pass the journal's checks here: " << probe.out;
    }
    std::vector<std::string> runs;
    for (const char* rate : {"500", "250", "125", "62", "31", "Default", "1000", "500"}) {
        runs.push_back("set " + kSecond + " --rate " + rate + " --json");
        runs.push_back("status --json");
    }
    int changed = 1;  // the probe's
    for (const ProgramRun& run : RunQuorvinTogether(runs)) {
        EXPECT_TRUE(run.code == 0u || run.code == 4u) << run.out << run.err;
        EXPECT_EQ(run.out.find("\"note\""), std::string::npos) << run.out;
        changed += run.out.find("\"changed\":true") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(JournalChanges(), before + changed);
    // The runs raced for the registry (only the journal is locked), so not every change
    // can be taken back: what is left goes, for the tests after this one.
    RunQuorvin("undo --all");
    if (JournalChanges() > 0) {
        char programData[MAX_PATH] = {};
        ::SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, programData);
        ::DeleteFileA((std::string(programData) + "\\QUORVIN Setup\\undo-journal.txt").c_str());
    }
}

// A console program's message-only window gets no raw input under Wine (Wine hands
// pointer input only to a process with a window under the pointer), so measuring is
// checked on the simulated machine; here the real program refuses a device without
// HID collections and leaves nothing behind.
TEST_F(CliProgram, MeasuringADeviceWithoutCollectionsIsBadUsage) {
    const ProgramRun run = RunQuorvin("measure " + kFirst + " --seconds 1");
    EXPECT_EQ(run.code, 2u) << run.out << run.err;
    EXPECT_NE(run.err.find("has no HID collection"), std::string::npos) << run.err;
}

TEST_F(CliProgram, BadInputIsOneLineExitTwoAndChangesNothing) {
    const ProgramRun bad = RunQuorvin("set " + kFirst + " --rate 7");
    EXPECT_EQ(bad.code, 2u);
    EXPECT_EQ(bad.err.rfind("quorvin: bad rate \"7\"", 0), 0u) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << "one line";
    EXPECT_EQ(Interval(bed, kFirst), "<none>");

    const ProgramRun ambiguous = RunQuorvin("set VID_1A2B&PID_0101 --rate 125");
    EXPECT_EQ(ambiguous.code, 2u);
    EXPECT_EQ(Interval(bed, kSecond), "<none>");
}

}  // namespace
