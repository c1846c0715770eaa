// Platform-call budgets: what each operation may call, counted on the simulated
// platform. Every enumeration, paint and command runs on the GUI thread and most
// of its cost is platform calls, so each budget is the most that the operation's
// design needs; a call beyond it fails the test. The budgets (docs/performance.md
// lists them with the measured counts):
//
//   list, normal mode      one class query, one related set, one pass of
//                          SetupDiEnumDeviceInfo (indexes 0..n, the last failing);
//                          nothing else
//   list, Mice Only        as normal, plus per enumerated device one CM_Get_Child
//                          and per child at most one sibling step, one open into
//                          the related set and one class comparison; every child
//                          opened at most once; no hub test, no property read
//   list, all devices      as normal, plus per enumerated device at most one
//                          instance-ID read and one hub test, each hub-test set
//                          destroyed before the list is done; no node navigation
//   paint of R data rows   at most 2R hub tests (the device to process and its
//   (C: children of the    parent, each device once), every set destroyed again;
//    painted rows)         per row one description, one parent name (1 open), child
//                          names (C opens, C reads), the mouse test (C opens), one
//                          filter read and one driver-key open, query and close;
//                          no device's hub test, property or key asked twice; no
//                          write of any kind
//   HasFilter              NT: one property read. 9x: one key open, query, close
//   SetFilter, no change   the HasFilter read and no write
//   SetFilter, change      the read and one write (9x: the key opened twice)
//   ReadRateIndex          one driver-key open, one query, one close
//   WriteRateIndex         one driver-key open, one set or delete, one close
//   Copy IDs               one instance-ID read, one hardware-ID read, and the
//                          clipboard's open, empty, alloc, lock, unlock, set, close
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "platform/Platform.h"
#include "tests/GeneratedMachine.h"
#include "tests/GeneratedWindow.h"

namespace {

constexpr int kRows = generated::kVisibleRows;

bool IsHubTest(const sim::Call& call) {
    return call.op == "SetupDiGetClassDevsA" && call.args.find("flags=0x12") != std::string::npos;
}

std::size_t HubTests(const sim::Machine& machine) {
    std::size_t count = 0;
    for (const sim::Call& call : machine.Calls()) {
        count += IsHubTest(call) ? 1 : 0;
    }
    return count;
}

// The calls of the log that ask the same thing about the same device again: hub
// tests by device, property reads by device and property, driver-key opens by device.
std::vector<std::string> AskedAgain(const sim::Machine& machine) {
    std::multiset<std::string> asked;
    for (const sim::Call& call : machine.Calls()) {
        if (IsHubTest(call)) {
            asked.insert("hub test of " + call.device);
        } else if (call.op == "SetupDiGetDeviceRegistryPropertyA") {
            const std::size_t property = call.args.find("property=");
            asked.insert(call.args.substr(property, call.args.find(' ', property) - property) +
                         " of " + call.device);
        } else if (call.op == "SetupDiOpenDevRegKey") {
            asked.insert("driver key of " + call.device);
        }
    }
    std::vector<std::string> again;
    for (auto it = asked.begin(); it != asked.end(); it = asked.upper_bound(*it)) {
        if (asked.count(*it) > 1) {
            again.push_back(*it);
        }
    }
    return again;
}

// Children of a node, counted with the call log off so that the count costs nothing.
int ChildCount(sim::Machine& machine, DEVINST node) {
    const bool logging = std::exchange(machine.logging, false);
    int count = 0;
    DEVINST child = 0;
    for (CONFIGRET r = plat::CM_Get_Child(&child, node, 0); r == CR_SUCCESS;
         r = plat::CM_Get_Sibling(&child, child, 0)) {
        ++count;
    }
    machine.logging = logging;
    return count;
}

// The devices that the list's one pass enumerated, in order.
std::vector<std::string> Enumerated(const sim::Machine& machine) {
    std::vector<std::string> ids;
    for (const sim::Call& call : machine.CallsOf("SetupDiEnumDeviceInfo")) {
        if (call.args.rfind("set=1 ", 0) == 0 && !call.device.empty()) {
            ids.push_back(call.device);
        }
    }
    return ids;
}

struct ListBudget : ::testing::Test {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    generated::MachineShape shape = generated::Generate(machine, 500);

    // The pass over the enumeration set: indexes 0 to n in order, n failing.
    void ExpectOnePass(std::size_t enumerated) {
        const auto calls = machine.CallsOf("SetupDiEnumDeviceInfo");
        std::vector<std::string> expected, actual;
        for (std::size_t i = 0; i <= enumerated; ++i) {
            expected.push_back("set=1 index=" + std::to_string(i) +
                               " cbSize=" + std::to_string(sizeof(SP_DEVINFO_DATA)));
        }
        for (const sim::Call& call : calls) {
            if (call.args.rfind("set=1 ", 0) == 0) {
                actual.push_back(call.args);
            }
        }
        EXPECT_EQ(actual, expected);
    }
    int ChildrenOf(const std::vector<std::string>& ids) {
        int total = 0;
        for (const std::string& id : ids) {
            total += ChildCount(machine, machine.NodeOf(id));
        }
        return total;
    }
};

TEST_F(ListBudget, NormalModeMakesOnePassAndNothingElse) {
    {
        device::TDeviceList list(false, false);
        EXPECT_EQ(list.Count(), shape.hidInterfaces);
        ExpectOnePass(static_cast<std::size_t>(shape.hidInterfaces));
        EXPECT_EQ(machine.Calls().size(),
                  1 + 1 + static_cast<std::size_t>(shape.hidInterfaces) + 1);
    }
    EXPECT_EQ(machine.CountCalls("SetupDiDestroyDeviceInfoList"), 2u);
    EXPECT_EQ(machine.OpenSetCount(), 0u);
}

TEST_F(ListBudget, MiceOnlyOpensEachChildOnceAtMost) {
    device::TDeviceList list(true, false);
    EXPECT_EQ(list.Count(), shape.mouseParents);
    const std::vector<std::string> enumerated = Enumerated(machine);
    ASSERT_EQ(enumerated.size(), static_cast<std::size_t>(shape.hidInterfaces));
    ExpectOnePass(enumerated.size());
    const auto children = static_cast<std::size_t>(ChildrenOf(enumerated));

    auto counts = generated::CountsByOp(machine);
    EXPECT_EQ(counts["CM_Get_Child"], enumerated.size());
    EXPECT_LE(counts["CM_Get_Sibling"], children);
    EXPECT_LE(counts["CM_Get_Device_ID_Size"], children);
    EXPECT_LE(counts["CM_Get_Device_IDA"], children);
    EXPECT_LE(counts["SetupDiOpenDeviceInfoA"], children);
    EXPECT_LE(counts["IsEqualGUID"], counts["SetupDiOpenDeviceInfoA"]);
    std::multiset<std::string> opened;
    for (const sim::Call& call : machine.CallsOf("SetupDiOpenDeviceInfoA")) {
        EXPECT_EQ(call.args.rfind("set=2 ", 0), 0u) << "opened outside the related set";
        opened.insert(call.device);
    }
    for (const std::string& id : opened) {
        EXPECT_EQ(opened.count(id), 1u) << id << " opened again";
    }
    for (const char* unwanted : {"SetupDiGetDeviceRegistryPropertyA", "SetupDiGetDeviceInstanceIdA",
                                 "CM_Get_Parent", "SetupDiDestroyDeviceInfoList"}) {
        EXPECT_EQ(counts[unwanted], 0u) << unwanted;
    }
    EXPECT_EQ(HubTests(machine), 0u);
    EXPECT_EQ(machine.SetSize(list.Related()), opened.size());
}

TEST_F(ListBudget, AllDevicesMakesOneHubTestPerDeviceAndReleasesEachSet) {
    device::TDeviceList list(false, true);
    EXPECT_EQ(list.Count(), shape.usbEnumerated - shape.hubs);
    const std::size_t enumerated = Enumerated(machine).size();
    ASSERT_EQ(enumerated, static_cast<std::size_t>(shape.usbEnumerated));
    ExpectOnePass(enumerated);

    auto counts = generated::CountsByOp(machine);
    EXPECT_LE(HubTests(machine), enumerated);
    EXPECT_EQ(counts["SetupDiGetClassDevsA"], HubTests(machine) + 1);
    EXPECT_EQ(counts["SetupDiDestroyDeviceInfoList"], HubTests(machine));
    EXPECT_LE(counts["SetupDiGetDeviceInstanceIdA"], enumerated);
    EXPECT_LE(counts["SetupDiEnumDeviceInfo"], enumerated + 1 + HubTests(machine));
    for (const char* unwanted : {"CM_Get_Child", "CM_Get_Parent", "CM_Get_Sibling",
                                 "SetupDiOpenDeviceInfoA", "SetupDiGetDeviceRegistryPropertyA"}) {
        EXPECT_EQ(counts[unwanted], 0u) << unwanted;
    }
    EXPECT_EQ(machine.OpenSetCount(), 2u);
}

// The window on a generated machine with 30 device rows in view.
struct PaintBudget : ::testing::TestWithParam<bool> {
    generated::WindowBed bed{1000, GetParam()};
    sim::Machine& machine = bed.machine;

    void SetUp() override {
        ASSERT_TRUE(bed.FullGrid());
        machine.logging = true;
    }
    int ChildrenOfVisibleRows() {
        int total = 0;
        for (int i = 0; i < kRows; ++i) {
            total += ChildCount(machine, bed.Form().DeviceList->GetDevice(i).DevInfoData.DevInst);
        }
        return total;
    }
    // A paint of a list whose parent objects exist already.
    void ExpectWithinPaintBudget() {
        const std::size_t rows = kRows;
        const auto children = static_cast<std::size_t>(ChildrenOfVisibleRows());
        auto counts = generated::CountsByOp(machine);
        const std::size_t hubTests = HubTests(machine);
        EXPECT_GT(hubTests, 0u);
        EXPECT_LE(hubTests, 2 * rows);
        EXPECT_EQ(AskedAgain(machine), std::vector<std::string>());
        EXPECT_EQ(counts["SetupDiDestroyDeviceInfoList"], hubTests);
        EXPECT_EQ(counts["SetupDiGetClassDevsA"], hubTests);
        EXPECT_LE(counts["SetupDiGetDeviceInstanceIdA"], hubTests);
        EXPECT_LE(counts["SetupDiEnumDeviceInfo"], hubTests);
        EXPECT_LE(counts["SetupDiGetDeviceRegistryPropertyA"], 3 * rows + children);
        EXPECT_LE(counts["SetupDiOpenDeviceInfoA"], rows + 2 * children);
        EXPECT_LE(counts["CM_Get_Device_ID_Size"], rows + 2 * children);
        EXPECT_LE(counts["CM_Get_Parent"], rows);
        EXPECT_LE(counts["CM_Get_Child"], 2 * rows);
        EXPECT_LE(counts["CM_Get_Sibling"], 2 * children);
        EXPECT_LE(counts["IsEqualGUID"], children);
        EXPECT_LE(counts["SetupDiOpenDevRegKey"], rows);
        EXPECT_LE(counts["RegQueryValueExA"], rows);
        EXPECT_EQ(counts["RegCloseKey"], counts["SetupDiOpenDevRegKey"]);
        for (const char* write : {"SetupDiSetDeviceRegistryPropertyA", "RegSetValueExA",
                                  "RegDeleteValueA", "SetupDiCreateDeviceInfoList"}) {
            EXPECT_EQ(counts[write], 0u) << write;
        }
        EXPECT_EQ(machine.OpenSetCount(), 2u);
        EXPECT_EQ(machine.OpenKeyCount(), 0u);
    }
};

TEST_P(PaintBudget, AFullPaintStaysWithinTheBudgetOfItsVisibleRows) {
    machine.ClearCalls();
    bed.window->Paint();
    ExpectWithinPaintBudget();
}

TEST_P(PaintBudget, RepeatedPaintsDoNotGrowTheRelatedSet) {
    HDEVINFO related = bed.Form().DeviceList->Related();
    bed.window->Paint();
    const std::size_t afterFirst = machine.SetSize(related);
    for (int i = 0; i < 4; ++i) {
        bed.window->Paint();
    }
    EXPECT_GT(afterFirst, 0u);
    EXPECT_EQ(machine.SetSize(related), afterFirst);
}

// A rebuild: the old list's sets go, one normal-mode list is built, the controls
// show the current row (one filter and one rate read) and the first paint of the
// new list makes the parent objects: one per row for the colour's parent test, and
// with Process Parent one more per row for the device to process.
TEST_P(PaintBudget, ADeviceChangeCostsOneListAndOnePaint) {
    machine.ClearCalls();
    bed.window->SendDeviceChange();
    const std::size_t rows = kRows;
    const std::size_t listed = static_cast<std::size_t>(bed.Form().DeviceList->Count());
    const auto children = static_cast<std::size_t>(ChildrenOfVisibleRows());
    const std::size_t parentObjects = rows * (GetParam() ? 2 : 1);
    auto counts = generated::CountsByOp(machine);
    const std::size_t hubTests = HubTests(machine);
    EXPECT_EQ(counts["SetupDiCreateDeviceInfoList"], 1u);
    EXPECT_EQ(counts["SetupDiGetClassDevsA"], hubTests + 1);
    EXPECT_LE(hubTests, 2 * rows);
    EXPECT_LE(counts["SetupDiEnumDeviceInfo"], listed + 1 + hubTests);
    EXPECT_EQ(counts["SetupDiDestroyDeviceInfoList"], 2 + hubTests);
    EXPECT_LE(counts["CM_Get_Parent"], rows + parentObjects);
    EXPECT_LE(counts["SetupDiOpenDeviceInfoA"], rows + 2 * children + parentObjects);
    EXPECT_LE(counts["SetupDiGetDeviceRegistryPropertyA"], 3 * rows + children + 1);
    EXPECT_LE(counts["SetupDiOpenDevRegKey"], rows + 1);
    EXPECT_EQ(machine.OpenSetCount(), 2u);
    EXPECT_EQ(machine.OpenKeyCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ProcessParent, PaintBudget, ::testing::Bool());

// One listed device that carries the filter and a rate, on either platform family.
struct CommandBudget : ::testing::TestWithParam<config::PlatformFamily> {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    generated::MachineShape shape = generated::Generate(machine, 100);
    std::unique_ptr<device::TDeviceList> list;
    int filtered = -1;

    void SetUp() override {
        machine.platformId = GetParam() == config::PlatformFamily::Win9x
                                 ? VER_PLATFORM_WIN32_WINDOWS
                                 : VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
        list = std::make_unique<device::TDeviceList>(false, false);
        // The first listed device that carries the filter (the listing order is that
        // of the instance IDs).
        for (int i = 0; i < list->Count() && filtered < 0; ++i) {
            filtered = config::HasFilter(list->GetDevice(i)) ? i : -1;
        }
        ASSERT_GE(filtered, 0);
        machine.ClearCalls();
    }
    void TearDown() override {
        machine.platformId = VER_PLATFORM_WIN32_NT;
        config::InitPlatformFamily();
    }
    device::TDevice& Device() { return list->GetDevice(filtered); }
    bool Nt() const { return GetParam() == config::PlatformFamily::NT; }
    std::map<std::string, std::size_t> Counts() const { return generated::CountsByOp(machine); }
    using Counts_t = std::map<std::string, std::size_t>;
    Counts_t FilterRead() const {
        if (Nt()) {
            return {{"SetupDiGetDeviceRegistryPropertyA", 1}};
        }
        return {{"SetupDiOpenDevRegKey", 1}, {"RegQueryValueExA", 1}, {"RegCloseKey", 1}};
    }
};

TEST_P(CommandBudget, HasFilterReadsTheListOnce) {
    config::HasFilter(Device());
    EXPECT_EQ(Counts(), FilterRead());
}

TEST_P(CommandBudget, SetFilterThatChangesNothingWritesNothing) {
    config::SetFilter(Device(), true);
    EXPECT_EQ(Counts(), FilterRead());
}

TEST_P(CommandBudget, SetFilterThatChangesTheListWritesOnce) {
    config::SetFilter(Device(), false);
    Counts_t expected = FilterRead();
    if (Nt()) {
        expected["SetupDiSetDeviceRegistryPropertyA"] = 1;
    } else {
        expected = {{"SetupDiOpenDevRegKey", 2},
                    {"RegQueryValueExA", 1},
                    {"RegSetValueExA", 1},
                    {"RegCloseKey", 2}};
    }
    EXPECT_EQ(Counts(), expected);
}

TEST_P(CommandBudget, RateReadAndWriteOpenTheDriverKeyOnce) {
    const Counts_t read = {
        {"SetupDiOpenDevRegKey", 1}, {"RegQueryValueExA", 1}, {"RegCloseKey", 1}};
    config::ReadRateIndex(Device());
    EXPECT_EQ(Counts(), read);
    machine.ClearCalls();
    config::WriteRateIndex(Device(), 2);
    EXPECT_EQ(Counts(),
              (Counts_t{{"SetupDiOpenDevRegKey", 1}, {"RegSetValueExA", 1}, {"RegCloseKey", 1}}));
    machine.ClearCalls();
    config::WriteRateIndex(Device(), 0);
    EXPECT_EQ(Counts(),
              (Counts_t{{"SetupDiOpenDevRegKey", 1}, {"RegDeleteValueA", 1}, {"RegCloseKey", 1}}));
}

INSTANTIATE_TEST_SUITE_P(Families, CommandBudget,
                         ::testing::Values(config::PlatformFamily::NT,
                                           config::PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == config::PlatformFamily::NT ? "NT" : "Win9x";
                         });

TEST(CopyIdsBudget, TwoReadsAndOneClipboardRound) {
    generated::WindowBed bed(100, false);
    bed.machine.logging = true;
    bed.machine.ClearCalls();
    auto& clipboard = bed.window->Desktop().clipboard;
    const std::size_t before = clipboard.Calls().size();
    bed.Form().btnCopyID->Click();
    EXPECT_EQ(generated::CountsByOp(bed.machine),
              (std::map<std::string, std::size_t>{{"SetupDiGetDeviceInstanceIdA", 1},
                                                  {"SetupDiGetDeviceRegistryPropertyA", 1}}));
    std::vector<std::string> names;
    for (std::size_t i = before; i < clipboard.Calls().size(); ++i) {
        const std::string& call = clipboard.Calls()[i];
        names.push_back(call.substr(0, call.find(' ')));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"OpenClipboard", "EmptyClipboard", "GlobalAlloc",
                                               "GlobalLock", "GlobalUnlock", "SetClipboardData",
                                               "CloseClipboard"}));
}

}  // namespace
