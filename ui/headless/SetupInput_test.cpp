// What the devices say in the window: a row's hint, and the activity marks of rows
// whose device sends input, from a listed device, from a child collection, from a
// device listed nowhere, and after the list was rebuilt.
#include <gtest/gtest.h>

#include "input/InterfaceName.h"
#include "platform/sim/SimInput.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct InputTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();

    input::Report From(const std::string& collection, double atMs) {
        return {base::UpperAscii(collection), sim::Ticks(atMs), false};
    }
    static std::string CollectionOf(const std::string& id) {
        return "HID\\" + id.substr(4) + "\\C";
    }
};

}  // namespace

TEST_F(InputTest, TheHintNamesTheDeviceAndItsIds) {
    sim::SetBusReportedName(m.machine, kHidM, u"Precision Mouse");
    EXPECT_EQ(form.RowHint(2), "Precision Mouse \x97 VID 3333, PID 4444");   // Mouse M
    EXPECT_EQ(form.RowHint(0), "No name reported \x97 VID 1111, PID 2222");  // Mouse A
    EXPECT_EQ(form.RowHint(4), "");
}

TEST_F(InputTest, InputMarksTheRowOfItsDeviceAndFades) {
    // Rows (Mice Only): Mouse A, Hub HC, Mouse M, Hub H.
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidM), 100)));
    EXPECT_DOUBLE_EQ(form.ActivityLevel(2, sim::Ticks(100)), 1.0);
    EXPECT_NEAR(form.ActivityLevel(2, sim::Ticks(600)), 0.5, 1e-9);
    EXPECT_EQ(form.ActivityLevel(2, sim::Ticks(1100)), 0.0);
    EXPECT_EQ(form.ActivityLevel(0, sim::Ticks(100)), 0.0);
    EXPECT_FALSE(form.ActivityShowing(sim::Ticks(1100)));
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidA), 200)));
    EXPECT_GT(form.ActivityLevel(0, sim::Ticks(200)), 0.0);
    EXPECT_GT(form.ActivityLevel(2, sim::Ticks(200)), 0.0);
}

TEST_F(InputTest, ACollectionUnderACompositeDeviceMarksItsInterfaceRow) {
    form.cbMouseOnly->UserClick();  // every HID device: Mouse A, Keys B, Hub HC, ...
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidB), 10)));
    EXPECT_GT(form.ActivityLevel(1, sim::Ticks(10)), 0.0);
}

TEST_F(InputTest, InputFromADeviceListedNowhereMarksNothing) {
    EXPECT_FALSE(form.InputArrived(From("HID\\VID_845E&PID_0001\\0&0000&0&0", 10)));
    EXPECT_FALSE(form.InputArrived({"", sim::Ticks(10), false}));
    // Keys B is left out by Mice Only.
    EXPECT_FALSE(form.InputArrived(From(CollectionOf(kHidB), 10)));
    EXPECT_FALSE(form.ActivityShowing(sim::Ticks(10)));
}

TEST_F(InputTest, ARebuildClearsTheMarksAndMapsTheNewRows) {
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidM), 10)));
    form.cbMouseOnly->UserClick();  // Keys B comes in as row 1: Mouse M moves to row 3
    EXPECT_FALSE(form.ActivityShowing(sim::Ticks(10)));
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidM), 20)));
    EXPECT_GT(form.ActivityLevel(3, sim::Ticks(20)), 0.0);
    EXPECT_EQ(form.ActivityLevel(2, sim::Ticks(20)), 0.0);
}

TEST_F(InputTest, TheMarkIsDrawnInTheNameCellOnly) {
    sim::SetClock(m.machine, sim::Ticks(10));
    EXPECT_TRUE(form.InputArrived(From(CollectionOf(kHidM), 10)));
    // A small green square at the right end of Mouse M's name cell, and nowhere else.
    auto marks = [&] {
        w.Paint();
        std::vector<gui::TRect> found;
        for (const auto& op : w.Canvas().Ops()) {
            if (op.kind == headless::CanvasOp::Kind::Fill && op.rect.Width() == 6 &&
                op.rect.Height() == 6) {
                found.push_back(op.rect);
                EXPECT_EQ(op.brush, 0x2DB22Du);
            }
        }
        return found;
    };
    const auto found = marks();
    ASSERT_EQ(found.size(), 1u);
    const gui::TRect cell = w.Cell(0, 3)->rect;
    EXPECT_EQ(found[0].Right, cell.Right - 6);
    EXPECT_GT(found[0].Top, cell.Top);
    EXPECT_LT(found[0].Bottom, cell.Bottom);
    EXPECT_EQ(w.Cell(0, 3)->background, ui::kHubParentColor);  // the cell keeps its colour
    sim::SetClock(m.machine, sim::Ticks(1200));
    EXPECT_TRUE(marks().empty());
}

TEST_F(InputTest, MeasuringKnowsTheRowsCollectionsAndStoredRate) {
    EXPECT_EQ(form.CollectionsOfRow(2),
              std::vector<std::string>{base::UpperAscii(CollectionOf(kHidM))});
    const measure::RateComparison mouse = form.MeasuredSetting(2);
    EXPECT_EQ(mouse.expectedMs, 4.0);  // "250"
    EXPECT_TRUE(mouse.filterOn);
    EXPECT_FALSE(mouse.restartPending) << "stored before this window: unknown";
    EXPECT_EQ(form.MeasuredSetting(0).expectedMs, 0.0);
    EXPECT_FALSE(form.MeasuredSetting(0).filterOn);
}

// Why a measurement differs: a rate stored here waits for Restart until one is done.
TEST_F(InputTest, AStoredRateWaitsForRestartUntilOneIsDone) {
    form.dgDevices->SelectCellByUser(0, 3);
    form.cbRate->UserSelect(1);  // 1000
    EXPECT_EQ(form.MeasuredSetting(2).expectedMs, 1.0);
    EXPECT_EQ(form.MeasuredSetting(2).restartPending, std::optional<bool>(true));
    form.btnApply->UserClick();
    form.RebuildDeviceList();  // as the device change of the restart does
    EXPECT_EQ(form.MeasuredSetting(2).restartPending, std::optional<bool>(false));
    EXPECT_FALSE(form.MeasuredSetting(1).restartPending) << "other devices stay unknown";
}

TEST_F(InputTest, TheGridMenuMeasuresTheClickedRow) {
    std::vector<int> measured;
    form.OnMeasure = [&](int i) { measured.push_back(i); };
    form.dgDevices->SelectCellByUser(0, 3);
    EXPECT_TRUE(w.ChooseGridMenuItem("Measure polling rate..."));
    EXPECT_EQ(measured, std::vector<int>{2});
}
