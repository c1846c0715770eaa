// The filter's health through the window: the context menu opens the view, and its
// repair asks first, goes through the undo journal, restarts the device and shows
// the grid afresh.
#include <gtest/gtest.h>

#include "health/FilterHealth.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct HealthWindowTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();

    HealthWindowTest() {
        // Mouse M carries the filter beside another and has come back with problem 39.
        m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ,
                              sim::MultiString({"quorvin", "mfltx"}));
        sim::InstallDriverService(m.machine, "mfltx");
        m.machine.system().problems[kHidM] = CM_PROB_DRIVER_FAILED_LOAD;
    }
    const std::vector<headless::ShownMessageBox>& Boxes() { return w.Desktop().MessageBoxes(); }
};

}  // namespace

TEST_F(HealthWindowTest, TheMenuOpensTheViewAndItsRepairIsRecordedAndUndone) {
    int opened = 0;
    form.OnFilterHealth = [&] { ++opened; };
    ASSERT_TRUE(w.ChooseGridMenuItem("Filter health..."));
    EXPECT_EQ(opened, 1);

    const health::FilterHealth health = health::ReadFilterHealth();
    ASSERT_EQ(health.RepairableCount(), 1);
    w.Desktop().QueueAnswer(IDYES);
    EXPECT_TRUE(form.RepairFilterHealth(health));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_NE(Boxes()[0].text.find("Remove the QUORVIN filter from 1 device(s)"),
              std::string::npos);
    EXPECT_NE(Boxes()[1].text.find("Mouse M (" + kHidM + "): filter removed; the device works"),
              std::string::npos)
        << Boxes()[1].text;
    EXPECT_EQ(Boxes()[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(m.LowerFilters(kHidM), sim::MultiString({"mfltx"}));
    EXPECT_EQ(m.machine.restarts, std::vector<std::string>{kHidM});
    EXPECT_EQ(w.Cell(4, 3)->text, "No") << "the grid shows the list as it now is";
    EXPECT_NE(m.machine.disk().Get(kJournal).content.find("device " + kHidM), std::string::npos);
    EXPECT_EQ(health::ReadFilterHealth().RepairableCount(), 0);

    // The repair is a change like any other: undone from the same menu.
    ASSERT_TRUE(w.ChooseGridMenuItem("Undo last change"));
    EXPECT_EQ(m.LowerFilters(kHidM), sim::MultiString({"quorvin", "mfltx"}));
}

TEST_F(HealthWindowTest, NoOrNothingToRepairChangesNothing) {
    w.Desktop().QueueAnswer(IDNO);
    EXPECT_FALSE(form.RepairFilterHealth(health::ReadFilterHealth()));
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(m.LowerFilters(kHidM), sim::MultiString({"quorvin", "mfltx"}));
    EXPECT_TRUE(m.machine.restarts.empty());

    m.machine.system().problems.clear();
    w.Desktop().ClearMessageBoxes();
    EXPECT_FALSE(form.RepairFilterHealth(health::ReadFilterHealth()));
    EXPECT_TRUE(Boxes().empty()) << "a healthy machine is asked nothing";
}

TEST_F(HealthWindowTest, AChangeThatCannotBeRecordedIsMadeOnlyWhenTheUserSaysSo) {
    m.machine.disk().programDataQueryFails = true;
    w.Desktop().QueueAnswer(IDYES);  // repair
    w.Desktop().QueueAnswer(IDNO);   // not without a record
    EXPECT_TRUE(form.RepairFilterHealth(health::ReadFilterHealth()));
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_NE(Boxes()[1].text.find("cannot be recorded"), std::string::npos);
    EXPECT_NE(Boxes()[2].text.find("not changed"), std::string::npos);
    EXPECT_EQ(Boxes()[2].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(m.LowerFilters(kHidM), sim::MultiString({"quorvin", "mfltx"}));
    EXPECT_TRUE(m.machine.restarts.empty());
}
