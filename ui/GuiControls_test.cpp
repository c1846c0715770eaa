// The control behaviour the window's commands rely on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/DrawGrid.h"
#include "ui/gui/Form.h"
#include "ui/headless/HeadlessDesktop.h"

namespace ui {

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

// Small deltas of a fine wheel or a touchpad add up to whole notches; each notch
// moves by the system's lines per notch, and a turn back starts afresh.
TEST_F(GridControl, TheWheelMovesByWholeNotches) {
    for (int i = 0; i < 3; ++i) {
        grid.UserWheel(-30, 3);
    }
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(asked.empty());
    grid.UserWheel(-30, 3);  // 120 in all: one notch, three rows down
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(asked, (std::vector<int>{4}));

    grid.UserWheel(-90, 3);
    grid.UserWheel(60, 3);  // the other way: the 90 are dropped, 60 are not a notch
    EXPECT_EQ(grid.Row(), 4);
    grid.UserWheel(60, 3);
    EXPECT_EQ(grid.Row(), 1);
    grid.UserWheel(2 * gui::TDrawGrid::kWheelDelta, 1);  // clamped at the first row
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(asked, (std::vector<int>{4, 1}));
}

TEST_F(GridControl, TheWheelHonoursNoScrollingAndPageScrolling) {
    grid.UserWheel(-gui::TDrawGrid::kWheelDelta, 0);
    EXPECT_EQ(grid.Row(), 1);
    grid.UserWheel(-gui::TDrawGrid::kWheelDelta, gui::TDrawGrid::kWheelPageScroll);
    EXPECT_EQ(grid.Row(), 1 + grid.VisibleRowCount());
    grid.UserWheel(-10 * gui::TDrawGrid::kWheelDelta, 100);  // clamped at the last row
    EXPECT_EQ(grid.Row(), 9);
    refuse = true;
    grid.UserWheel(gui::TDrawGrid::kWheelDelta, 1);
    EXPECT_EQ(grid.Row(), 9);
}

}  // namespace

}  // namespace ui
