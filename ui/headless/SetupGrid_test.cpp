// The device grid and the device state of the window: cell texts and marking
// colours, Process Parent, rebuilds, the empty list and a list that cannot be built.
#include <gtest/gtest.h>

#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct GridTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();

    std::string Text(int col, int row) { return w.Cell(col, row)->text; }
    std::vector<std::string> RowTexts(int row) {
        std::vector<std::string> texts;
        for (int col = 0; col < 6; ++col) {
            texts.push_back(Text(col, row));
        }
        return texts;
    }
    bool DeviceControlsEnabled() {
        return form.cbFilter->Enabled() && form.cbRate->Enabled() && form.btnApply->Enabled() &&
               form.btnCopyID->Enabled();
    }
    bool DeviceControlsDisabled() {
        return !form.cbFilter->Enabled() && !form.cbRate->Enabled() && !form.btnApply->Enabled() &&
               !form.btnCopyID->Enabled();
    }
};

TEST_F(GridTest, HeaderAndCellsShowTheDevices) {
    EXPECT_EQ(RowTexts(0), (std::vector<std::string>{"Device Name", "Parent Name", "Child Name(s)",
                                                     "Mouse?", "Filter?", "Rate"}));
    EXPECT_EQ(RowTexts(3), (std::vector<std::string>{"Mouse M", "USB Root Hub", "collection", "Yes",
                                                     "Yes", "250"}));
    EXPECT_EQ(RowTexts(1), (std::vector<std::string>{"Mouse A", "USB Composite Device",
                                                     "collection", "Yes", "No", "Default"}));
    EXPECT_EQ(form.dgDevices->RowCount(), 5);
    const auto cell = w.Cell(2, 3);
    EXPECT_EQ(cell->rect, (gui::TRect{402, 66, 752, 87}));
    EXPECT_EQ(cell->textX, 405);  // the text origin is 3 pixels inside the cell
    EXPECT_EQ(cell->textY, 69);
}

TEST_F(GridTest, MarkingColoursFollowTheHubTests) {
    EXPECT_EQ(w.Cell(1, 1)->background, gui::clWindow);  // no hub, parent no hub
    EXPECT_TRUE(w.Cell(1, 1)->filledByHandler);
    EXPECT_EQ(w.Cell(1, 2)->background, ui::kHubColor);        // hub
    EXPECT_EQ(w.Cell(1, 3)->background, ui::kHubParentColor);  // parent is a hub
    EXPECT_EQ(w.Cell(1, 4)->background, ui::kHubColor);        // hub with a hub parent
}

TEST_F(GridTest, TheCurrentCellKeepsTheHighlightAndTheRestOfItsRowTheMark) {
    form.dgDevices->SelectCellByUser(2, 2);
    w.Paint();
    EXPECT_EQ(w.Cell(2, 2)->background, gui::clHighlight);
    EXPECT_FALSE(w.Cell(2, 2)->filledByHandler);
    EXPECT_EQ(w.Cell(0, 2)->background, ui::kHubColor);
    EXPECT_EQ(w.Cell(5, 2)->background, ui::kHubColor);
}

TEST_F(GridTest, ProcessParentSwitchesOnlyTheFilterAndRateColumnsAndTheColours) {
    m.machine.Key(kComposite, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(1)};
    const auto before = RowTexts(1);
    const int paints = w.PaintCount();
    form.cbParent->UserClick();

    EXPECT_EQ(w.PaintCount(), paints + 1);
    const auto after = RowTexts(1);
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 4),
              std::vector<std::string>(before.begin(), before.begin() + 4));
    EXPECT_EQ(after[5], "1000");                               // the composite's rate
    EXPECT_EQ(w.Cell(1, 1)->background, ui::kHubParentColor);  // the composite's parent is a hub
    EXPECT_EQ(form.cbRate->ItemIndex(), 1);                    // the controls follow at once
    EXPECT_EQ(&form.DeviceForRow(0), &form.DeviceForRow(0));   // the same parent object
}

TEST_F(GridTest, WithProcessParentTheCommandsActOnTheParent) {
    form.cbParent->UserClick();
    form.cbRate->UserSelect(4);
    EXPECT_EQ(m.machine.Key(kComposite, DIREG_DRV).at("bInterval").data, Dword(8));
    EXPECT_EQ(m.machine.Key(kHidA, DIREG_DRV).count("bInterval"), 0u);
}

TEST_F(GridTest, PickingARateWritesItAndRepaints) {
    form.dgDevices->SelectCellByUser(0, 3);
    const int paints = w.PaintCount();
    form.cbRate->UserSelect(6);
    EXPECT_EQ(m.machine.Key(kHidM, DIREG_DRV).at("bInterval").data, Dword(32));
    EXPECT_EQ(w.PaintCount(), paints + 1);
    EXPECT_EQ(Text(5, 3), "31");
    form.cbRate->UserSelect(0);
    EXPECT_EQ(m.machine.Key(kHidM, DIREG_DRV).count("bInterval"), 0u);
}

TEST_F(GridTest, SelectingARowWithTheSameRateChangesNothing) {
    form.dgDevices->SelectCellByUser(0, 2);
    m.machine.ClearCalls();
    form.dgDevices->SelectCellByUser(0, 1);  // both rows "Default"
    EXPECT_EQ(form.cbRate->ItemIndex(), 0);
    EXPECT_EQ(m.machine.CountCalls("RegSetValueExA") + m.machine.CountCalls("RegDeleteValueA"), 0u);
}

TEST_F(GridTest, TheHeaderRowNeverBecomesCurrent) {
    form.dgDevices->SelectCellByUser(3, 0);
    EXPECT_EQ(form.dgDevices->Row(), 1);
    form.dgDevices->UserKey(gui::TGridKey::Up);
    form.dgDevices->UserKey(gui::TGridKey::PageUp);
    form.dgDevices->UserKey(gui::TGridKey::CtrlHome);
    EXPECT_EQ(form.dgDevices->Row(), 1);
    form.dgDevices->UserKey(gui::TGridKey::CtrlEnd);
    EXPECT_EQ(form.dgDevices->Row(), 4);
    EXPECT_TRUE(form.cbFilter->Checked() == false && form.cbRate->ItemIndex() == 0);
    form.dgDevices->UserKey(gui::TGridKey::Up);
    EXPECT_EQ(form.dgDevices->Row(), 3);
    EXPECT_TRUE(form.cbFilter->Checked());
}

TEST_F(GridTest, AnotherColumnOfTheCurrentRowShowsItsDeviceAgain) {
    form.dgDevices->SelectCellByUser(0, 3);
    m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("\0", 1));
    form.dgDevices->SelectCellByUser(4, 3);
    EXPECT_FALSE(form.cbFilter->Checked());
}

// A paint keeps what it read only until it ends: what another program changes shows at
// the next paint, in every row that shows it (Hub HC shares Mouse A's parent).
TEST_F(GridTest, AValueChangedBetweenTwoPaintsShowsAtTheSecond) {
    w.Paint();
    EXPECT_EQ(RowTexts(1), (std::vector<std::string>{"Mouse A", "USB Composite Device",
                                                     "collection", "Yes", "No", "Default"}));
    m.machine.SetProperty(kHidA, SPDRP_DEVICEDESC, REG_SZ, std::string("Mouse A2\0", 9));
    m.machine.SetProperty(kComposite, SPDRP_DEVICEDESC, REG_SZ, std::string("Gaming Mouse\0", 13));
    m.machine.SetProperty(kHidA, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("quorvin\0\0", 9));
    m.machine.Key(kHidA, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(8)};
    w.Paint();
    EXPECT_EQ(RowTexts(1), (std::vector<std::string>{"Mouse A2", "Gaming Mouse", "collection",
                                                     "Yes", "Yes", "125"}));
    EXPECT_EQ(Text(1, 2), "Gaming Mouse");
}

// Devices are listed in the order of their instance IDs, so an arrival can move every
// later device down a row; the current row follows the device it stood for.
TEST_F(GridTest, ARebuildKeepsTheCurrentDeviceWhereverItIsListedNow) {
    form.dgDevices->SelectCellByUser(0, 2);
    form.cbMouseOnly->UserClick();  // Keys B now stands in row 2, Hub HC in row 3
    EXPECT_EQ(form.DeviceList->Count(), 5);
    EXPECT_EQ(form.dgDevices->Row(), 3);
    EXPECT_EQ(Text(0, 3), "Hub HC");
    EXPECT_TRUE(DeviceControlsEnabled());
}

TEST_F(GridTest, AnArrivalListedBeforeTheCurrentDeviceMovesTheRowWithIt) {
    form.dgDevices->SelectCellByUser(0, 3);  // Mouse M: filter on, rate 250
    const DEVINST root = m.machine.NodeOf(kRootHub);
    m.AddWithChild("USB\\VID_2222&PID_0001\\5&9", "USB Input Device", false, root,
                   sim::kClassMouse);
    w.SendDeviceChange();
    ASSERT_EQ(Text(0, 3), "USB Input Device");
    EXPECT_EQ(form.dgDevices->Row(), 4);
    EXPECT_EQ(Text(0, 4), "Mouse M");
    EXPECT_TRUE(form.cbFilter->Checked());
    EXPECT_EQ(form.cbRate->ItemIndex(), 3);
    form.cbRate->UserSelect(6);  // acts on Mouse M, not on the newcomer
    EXPECT_EQ(m.machine.Key(kHidM, DIREG_DRV).at("bInterval").data, Dword(32));
    EXPECT_EQ(m.machine.Key("USB\\VID_2222&PID_0001\\5&9", DIREG_DRV).count("bInterval"), 0u);
}

TEST_F(GridTest, AnArrivalListedAfterTheCurrentDeviceLeavesTheRowAlone) {
    form.dgDevices->SelectCellByUser(0, 2);  // Hub HC
    const DEVINST root = m.machine.NodeOf(kRootHub);
    m.AddWithChild("USB\\VID_9999&PID_0001\\5&9", "Late", false, root, sim::kClassMouse);
    w.SendDeviceChange();
    EXPECT_EQ(form.DeviceList->Count(), 5);
    EXPECT_EQ(form.dgDevices->Row(), 2);
    EXPECT_EQ(Text(0, 2), "Hub HC");
    EXPECT_EQ(Text(0, 5), "Late");
}

TEST_F(GridTest, WhenTheCurrentDeviceLeavesTheRowPositionStays) {
    form.dgDevices->SelectCellByUser(0, 3);  // Mouse M
    m.machine.Unplug(kHidM);
    w.SendDeviceChange();
    EXPECT_EQ(form.dgDevices->Row(), 3);
    EXPECT_EQ(Text(0, 3), "Hub H");
    EXPECT_FALSE(form.cbFilter->Checked());  // Hub H's state
    EXPECT_EQ(form.cbRate->ItemIndex(), 0);
}

TEST_F(GridTest, ARebuildToAShorterListMovesToTheLastRowThroughTheSelectHandler) {
    form.dgDevices->SelectCellByUser(0, 4);
    m.machine.Unplug(kHidH);
    m.machine.Unplug(kHidHC);
    int asked = -1;
    auto handler = form.dgDevices->OnSelectCell;
    form.dgDevices->OnSelectCell = [&](gui::TObject& s, int c, int r, bool& can) {
        asked = r;
        handler(s, c, r, can);
    };
    w.SendDeviceChange();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(form.dgDevices->Row(), 2);
    EXPECT_EQ(form.dgDevices->RowCount(), 3);
    EXPECT_TRUE(form.cbFilter->Checked());  // Mouse M's state
    EXPECT_EQ(form.cbRate->ItemIndex(), 3);
}

TEST_F(GridTest, AnEmptyListShowsOneBlankRowAndDisablesTheDeviceControls) {
    form.dgDevices->SelectCellByUser(0, 3);
    for (const auto& id : {kHidA, kHidB, kHidHC, kHidM, kHidH}) {
        m.machine.Unplug(id);
    }
    w.SendDeviceChange();
    EXPECT_EQ(form.DeviceList->Count(), 0);
    EXPECT_EQ(form.dgDevices->RowCount(), 2);
    EXPECT_TRUE(DeviceControlsDisabled());
    EXPECT_TRUE(form.cbFilter->Checked());  // keeps the last state it showed
    EXPECT_FALSE(w.Cell(1, 1)->hasText);
    EXPECT_FALSE(w.Cell(1, 1)->filledByHandler);

    form.dgDevices->SelectCellByUser(2, 1);
    form.cbParent->UserClick();  // only repaints
    form.BitBtn_Install->UserClick();
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_EQ(m.machine.shellRequests.size() + m.machine.infInstalls.size(), 1u);
}

TEST_F(GridTest, AFailingDeviceChangeRebuildShowsNothingAndActsAsAnEmptyList) {
    m.machine.AddFault({"SetupDiCreateDeviceInfoList"});
    EXPECT_EQ(w.SendDeviceChange(), 0);
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_EQ(form.DeviceList, nullptr);
    EXPECT_EQ(form.dgDevices->RowCount(), 2);
    EXPECT_TRUE(DeviceControlsDisabled());
    EXPECT_FALSE(w.Cell(0, 1)->hasText);
    EXPECT_EQ(Text(0, 0), "Device Name");

    // Selecting, Process Parent and further failing rebuilds touch no list.
    form.dgDevices->SelectCellByUser(1, 1);
    form.cbParent->UserClick();
    form.cbParent->UserClick();
    w.SendDeviceChange();
    EXPECT_TRUE(w.Desktop().MessageBoxes().empty());
    EXPECT_THROW(form.CurrentDevice(), device::EDeviceError);

    m.machine.ClearFaults();
    w.SendDeviceChange();
    ASSERT_NE(form.DeviceList, nullptr);
    EXPECT_EQ(form.DeviceList->Count(), 4);
    EXPECT_TRUE(DeviceControlsEnabled());
    EXPECT_EQ(Text(0, 1), "Mouse A");
}

TEST_F(GridTest, AFailingMiceOnlyRebuildIsReported) {
    m.machine.AddFault({"SetupDiGetClassDevsA", 1});
    form.cbMouseOnly->UserClick();
    const auto& boxes = w.Desktop().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "SetupDiGetClassDevs.");
    EXPECT_EQ(boxes[0].caption, "QUORVIN Setup");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(boxes[0].owner, headless::ApplicationWindowHandle());
    EXPECT_TRUE(DeviceControlsDisabled());
}

TEST_F(GridTest, RestartAndInstallUseTheMainWindowAndCloseEndsTheRun) {
    form.dgDevices->SelectCellByUser(0, 3);
    m.machine.wow64 = sim::Wow64Mode::NotWow64;
    m.machine.ClearCalls();
    form.btnApply->UserClick();
    EXPECT_EQ(m.machine.restarts, std::vector<std::string>{kHidM});
    w.SendDeviceChange();  // the restart changed the tree
    m.machine.wow64 = sim::Wow64Mode::Wow64;
    m.machine.files.push_back("C:\\Users\\User\\Downloads\\kevra64.exe");
    form.btnApply->UserClick();
    form.BitBtn_Install->UserClick();
    ASSERT_EQ(m.machine.shellRequests.size(), 2u);
    EXPECT_EQ(m.machine.shellRequests[0].owner, headless::MainWindowHandle());
    EXPECT_EQ(m.machine.shellRequests[0].parameters, "U " + kHidM);
    EXPECT_EQ(m.machine.shellRequests[1].owner, headless::MainWindowHandle());
    EXPECT_FALSE(w.Closed());
    EXPECT_EQ(form.DeviceList->Count(), 4);  // a restart itself rebuilds nothing
    form.UserCancel();                       // Esc
    EXPECT_TRUE(w.Closed());
    EXPECT_TRUE(w.App().Terminated());
}

TEST_F(GridTest, ThePaintStopsAtACellThatFailsAndReportsIt) {
    m.machine.AddFault({"SetupDiOpenDeviceInfoA", 0, kComposite});
    w.SendDeviceChange();  // fresh devices, their parents not yet opened
    ASSERT_EQ(w.Desktop().MessageBoxes().size(), 1u);
    EXPECT_EQ(w.Desktop().MessageBoxes()[0].text, "GetParentDevice.GetDevInfoByDevInst.");
    EXPECT_TRUE(w.Cell(5, 0).has_value());
    EXPECT_EQ(w.Cell(0, 1)->text, "Mouse A");  // the current cell tests no hub
    EXPECT_FALSE(w.Cell(1, 1)->hasText);       // the failing cell
    EXPECT_FALSE(w.Cell(2, 1).has_value());
    EXPECT_FALSE(w.Cell(0, 2).has_value());
    // Nothing of the failed paint is kept: the next one reads the row again.
    m.machine.ClearFaults();
    w.Paint();
    EXPECT_EQ(w.Cell(1, 1)->text, "USB Composite Device");
    EXPECT_TRUE(w.Cell(0, 2).has_value());
}

}  // namespace
