// The control behaviour the window's commands rely on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/DrawGrid.h"
#include "ui/gui/Form.h"
#include "ui/headless/HeadlessDesktop.h"

namespace {

struct Controls : ::testing::Test {
    headless::HeadlessDesktop desktop;
    gui::TApplication app{desktop};
    gui::TForm form{app};
};

TEST_F(Controls, ACheckBoxFiresAfterEveryChangeAndNeverForTheSameState) {
    auto& box = form.Add<gui::TCheckBox>("box", nullptr);
    std::vector<bool> seen;
    box.OnClick = [&](gui::TObject&) { seen.push_back(box.Checked()); };
    box.SetChecked(false);
    box.SetChecked(true);
    box.SetChecked(true);
    box.UserClick();
    box.SetEnabled(false);
    box.UserClick();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(Controls, ExceptionsFromCodeReachTheCallerAndFromTheUserTheReport) {
    auto& box = form.Add<gui::TCheckBox>("box", nullptr);
    box.OnClick = [](gui::TObject&) { throw std::runtime_error("boom"); };
    EXPECT_THROW(box.SetChecked(true), std::runtime_error);
    EXPECT_TRUE(desktop.MessageBoxes().empty());
    box.UserClick();
    ASSERT_EQ(desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop.MessageBoxes()[0].text, "boom.");
    EXPECT_FALSE(box.Checked());  // the state changed before the handler failed
}

TEST_F(Controls, AComboBoxFiresOnlyForAUsersChange) {
    auto& combo = form.Add<gui::TComboBox>("combo", nullptr);
    for (const char* item : {"a", "b", "c"}) {
        combo.AddItem(item);
    }
    std::vector<int> seen;
    combo.OnClick = [&](gui::TObject&) { seen.push_back(combo.ItemIndex()); };
    combo.SetItemIndex(1);
    combo.UserSelect(1);
    combo.UserSelect(2);
    combo.UserSelect(1);
    combo.UserSelect(7);
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
    combo.SetItemIndex(9);
    EXPECT_EQ(combo.ItemIndex(), -1);
}

struct GridControl : Controls {
    gui::TDrawGrid& grid = form.Add<gui::TDrawGrid>("grid", nullptr);
    std::vector<int> asked;
    bool refuse = false;

    GridControl() {
        grid.SetBounds(0, 0, 300, 100);
        grid.FixedRows = 1;
        grid.SetColCount(2, 50);
        grid.SetDefaultRowHeight(20);
        grid.SetRowCount(10);
        grid.LoadCurrentCell(0, 1);
        grid.OnSelectCell = [this](gui::TObject&, int, int row, bool& can) {
            asked.push_back(row);
            can = !refuse;
        };
    }
};

TEST_F(GridControl, AShrinkingRowCountMovesTheCurrentRowThroughTheSelectHandler) {
    grid.SelectCellByUser(1, 8);
    grid.SetRowCount(20);
    grid.SetRowCount(5);
    EXPECT_EQ(asked, (std::vector<int>{8, 4}));
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(GridControl, ARefusedSelectionKeepsTheCurrentCell) {
    refuse = true;
    grid.SelectCellByUser(0, 5);
    grid.UserKey(gui::TGridKey::Down);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(asked, (std::vector<int>{5, 2}));
}

TEST_F(GridControl, KeysScrollTheCurrentRowIntoView) {
    grid.UserKey(gui::TGridKey::CtrlEnd);
    EXPECT_EQ(grid.Row(), 9);
    EXPECT_EQ(grid.VisibleRowCount(), 3);  // (98 - 21) / 21
    EXPECT_EQ(grid.TopRow(), 7);
    EXPECT_TRUE(grid.CellRect(0, 3).Empty());
    EXPECT_EQ(grid.CellRect(0, 9), (gui::TRect{0, 63, 50, 83}));
}

}  // namespace
