// Safe apply in the window: the warning before the filter goes on a device whose
// driver cannot load, and the one message after a restart that went wrong.
#include <gtest/gtest.h>

#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct SafeApply : ::testing::Test {
    SetupMachine m;
    sim::System& system = m.machine.system();
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();

    void SelectRow(int row) {
        form.dgDevices->SelectCellByUser(0, row);
        m.machine.ClearCalls();
    }
    const std::vector<headless::ShownMessageBox>& Boxes() { return w.Desktop().MessageBoxes(); }
    void RemoveDriverFile() { std::erase(m.machine.files, sim::kDriverFile); }
    std::size_t Builds() const { return m.machine.CountCalls("SetupDiCreateDeviceInfoList"); }
};

}  // namespace

TEST_F(SafeApply, AMissingDriverAsksOnceMoreAfterTheDesignsQuestions) {
    for (const bool serviceMissing : {true, false}) {
        SCOPED_TRACE(serviceMissing ? "service missing" : "file missing");
        m.machine.RemoveProperty(kHidA, SPDRP_LOWERFILTERS);
        if (serviceMissing) {
            system.services.clear();
        } else {
            sim::InstallDriverService(m.machine, "quorvin", false);
            RemoveDriverFile();
        }
        w.Desktop().ClearMessageBoxes();
        SelectRow(1);
        w.Desktop().QueueAnswer(IDYES);
        form.cbFilter->UserClick();  // the warning's default: No

        ASSERT_EQ(Boxes().size(), 2u);
        EXPECT_EQ(Boxes()[0].text, kUsefulText);
        EXPECT_NE(Boxes()[1].text.find("will not start until the driver is installed"),
                  std::string::npos);
        EXPECT_EQ(Boxes()[1].style, 0x134u);
        EXPECT_EQ(Boxes()[1].owner, nullptr);
        EXPECT_FALSE(form.cbFilter->Checked());
        EXPECT_EQ(m.LowerFilters(kHidA), "<none>");
        EXPECT_EQ(m.machine.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 0u);
    }
    // Yes goes on as before; no handle of the service manager stays open.
    w.Desktop().QueueAnswer(IDYES);
    w.Desktop().QueueAnswer(IDYES);
    form.cbFilter->UserClick();
    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
    EXPECT_TRUE(system.serviceHandles.empty());
}

TEST_F(SafeApply, WithTheDriverInPlaceNothingNewIsAsked) {
    SelectRow(1);
    w.Desktop().QueueAnswer(IDYES);
    form.cbFilter->UserClick();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(m.LowerFilters(kHidA), kFilterOnly);
}

TEST_F(SafeApply, ADriverStateThatCannotBeReadAsksToo) {
    // Access to the service denied, or a service manager that does not answer: the
    // driver may be missing all the same, so the warning comes, in other words.
    for (const bool managerFails : {false, true}) {
        SCOPED_TRACE(managerFails ? "service manager fails" : "access denied");
        m.machine.ClearFaults();
        system.FindService("quorvin")->deniedAccess = managerFails ? 0 : SERVICE_QUERY_CONFIG;
        if (managerFails) {
            m.machine.AddFault({"OpenSCManagerA"});
        }
        m.machine.RemoveProperty(kHidHC, SPDRP_LOWERFILTERS);
        SelectRow(2);  // hub, parent no hub: both of the design's questions first
        w.Desktop().ClearMessageBoxes();
        w.Desktop().QueueAnswer(IDYES);
        w.Desktop().QueueAnswer(IDYES);
        form.cbFilter->UserClick();  // the warning's default: No
        ASSERT_EQ(Boxes().size(), 3u);
        EXPECT_NE(Boxes()[2].text.find(managerFails ? "(error 31)" : "(error 5)"),
                  std::string::npos)
            << Boxes()[2].text;
        EXPECT_EQ(Boxes()[2].style, 0x134u);
        EXPECT_EQ(m.LowerFilters(kHidHC), "<none>");
        EXPECT_FALSE(form.cbFilter->Checked());
    }
    // Only "no such service" means that it is not installed: the plain warning.
    m.machine.ClearFaults();
    system.services.clear();
    w.Desktop().ClearMessageBoxes();
    w.Desktop().QueueAnswer(IDYES);
    w.Desktop().QueueAnswer(IDYES);
    w.Desktop().QueueAnswer(IDYES);
    form.cbFilter->UserClick();
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_NE(Boxes()[2].text.find("is not installed"), std::string::npos);
    EXPECT_EQ(m.LowerFilters(kHidHC), kFilterOnly);
}

TEST_F(SafeApply, AHealthyRestartShowsNothing) {
    SelectRow(3);  // hidM carries the filter
    form.btnApply->UserClick();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m.machine.restarts, std::vector<std::string>{kHidM});
    EXPECT_EQ(Builds(), 0u) << "the device change that follows rebuilds, as before";
}

TEST_F(SafeApply, ARestartThatBreaksTheDeviceIsRevertedAndToldOnce) {
    RemoveDriverFile();
    SelectRow(3);
    form.btnApply->UserClick();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("code 39"), std::string::npos);
    EXPECT_NE(Boxes()[0].text.find("works as before"), std::string::npos);
    EXPECT_EQ(Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(m.LowerFilters(kHidM), "<none>");
    EXPECT_FALSE(form.cbFilter->Checked()) << "the list was shown afresh";
    EXPECT_EQ(w.Cell(4, 3)->text, "No");
}

TEST_F(SafeApply, ADeviceThatCannotStopAsksForAWindowsRestart) {
    system.heldOpen.insert(kHidM);
    SelectRow(3);
    form.btnApply->UserClick();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Windows must be restarted"), std::string::npos);
    EXPECT_EQ(Boxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(SafeApply, UnderWow64ADeviceChangeWhileTheCompanionRunsIsHandled) {
    m.machine.wow64 = sim::Wow64Mode::Wow64;
    m.machine.files.push_back("C:\\Users\\User\\Downloads\\kevra64.exe");
    RemoveDriverFile();
    system.inputRounds = 1;
    // The companion restarts and reverts on the same machine; it reports by exit code.
    system.run = [this](const std::string&, const std::string& parameters) -> DWORD {
        EXPECT_EQ(parameters, "U " + kHidM);
        m.machine.Unplug(kHidA);
        m.machine.Restart(kHidM);
        m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string(2, '\0'));
        return 0x1000 | 39;
    };
    bool blockedDuringChange = false;
    w.Desktop().QueueWhileWaiting([&] {
        blockedDuringChange = w.Desktop().InputBlocked();
        m.machine.Unplug(kHidH);
        w.SendDeviceChange();
    });
    SelectRow(3);
    form.btnApply->UserClick();

    EXPECT_TRUE(blockedDuringChange);
    EXPECT_FALSE(w.Desktop().InputBlocked());
    EXPECT_EQ(w.Desktop().Pumps(), 1);
    ASSERT_EQ(Boxes().size(), 1u) << "no error from a released device";
    EXPECT_NE(Boxes()[0].text.find("code 39"), std::string::npos);
    EXPECT_EQ(form.DeviceList->Count(), 2) << "rebuilt after the unplugs";
    EXPECT_TRUE(m.machine.system().processes.empty());
}

TEST_F(SafeApply, AMissingCompanionIsToldOnceWithWhereItWasLookedFor) {
    m.machine.wow64 = sim::Wow64Mode::Wow64;
    m.machine.files.push_back("kevra64.exe");  // in the current folder: not used
    SelectRow(3);
    form.btnApply->UserClick();
    form.BitBtn_Install->UserClick();
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) {
        EXPECT_NE(box.text.find("C:\\Users\\User\\Downloads\\kevra64.exe"), std::string::npos);
    }
    EXPECT_EQ(m.machine.CountCalls("ShellExecuteExW"), 0u);
    EXPECT_EQ(m.machine.CountCalls("ShellExecuteA"), 0u);
}
