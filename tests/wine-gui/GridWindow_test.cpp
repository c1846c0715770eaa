// The device grid as a real control: selection by mouse and keyboard through the
// select handler, the header that never becomes current, column sizing on a header
// separator, the scroll bars, and a paint that draws only the cells it must.
#include "GuiFixture.h"
#include "device/DeviceList.h"

namespace gui_test {
namespace {

TEST_F(GuiTest, MouseSelectsRowsAndShowsTheirDevice) {
    Open();
    // The plain mouse is current at the start; the mouse behind the external hub
    // first, then back.
    const int plainRow = RowOf(kPlainMouse);
    const int hubMouseRow = RowOf(kHubMouse);
    ASSERT_EQ(Form().dgDevices->Row(), plainRow);
    ClickCell(3, hubMouseRow);
    EXPECT_EQ(Form().dgDevices->Row(), hubMouseRow);
    EXPECT_EQ(Form().dgDevices->Col(), 3);
    EXPECT_EQ(::GetFocus(), Grid());
    // Another filter than ours, bInterval 1000, which reads as the slowest rate.
    EXPECT_FALSE(Checked(*Form().cbFilter));
    EXPECT_EQ(ComboSelection(), 6);

    ClickCell(0, plainRow);
    EXPECT_EQ(Form().dgDevices->Row(), plainRow);
    // The plain mouse: the filter attached, bInterval 3, which reads as "250".
    EXPECT_TRUE(Checked(*Form().cbFilter));
    EXPECT_EQ(ComboSelection(), 3);

    // A click on the header selects nothing.
    ClickCell(1, 0);
    EXPECT_EQ(Form().dgDevices->Row(), plainRow);
    EXPECT_EQ(Form().dgDevices->Col(), 0);
    EXPECT_TRUE(boxes_.Shown().empty());
    // Nothing was written by selecting.
    EXPECT_EQ(machine_.CountCalls("RegSetValueExA"), 0u);
    EXPECT_EQ(machine_.CountCalls("SetupDiSetDeviceRegistryPropertyA"), 0u);
}

TEST_F(GuiTest, KeysMoveTheCurrentCellButNeverIntoTheHeader) {
    Open();
    ::SetFocus(Grid());
    const gui::TDrawGrid& grid = *Form().dgDevices;
    // Rows 1 to 3: the plain mouse (filter, "250"), the gaming mouse (neither) and
    // the mouse behind the external hub (another filter, the slowest rate).
    ASSERT_EQ(RowOf(kPlainMouse), 1);
    ASSERT_EQ(RowOf(kCompositeMouse), 2);
    ASSERT_EQ(RowOf(kHubMouse), grid.RowCount() - 1);
    Key(Grid(), VK_DOWN);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_FALSE(Checked(*Form().cbFilter));
    Key(Grid(), VK_NEXT);
    EXPECT_EQ(grid.Row(), grid.RowCount() - 1);
    EXPECT_EQ(ComboSelection(), 6);
    Key(Grid(), VK_PRIOR);
    EXPECT_EQ(grid.Row(), 1);
    Key(Grid(), VK_UP);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(ComboSelection(), 3);
    Key(Grid(), VK_END);
    EXPECT_EQ(grid.Col(), grid.ColCount() - 1);
    Key(Grid(), VK_LEFT);
    EXPECT_EQ(grid.Col(), grid.ColCount() - 2);
    Key(Grid(), VK_HOME);
    EXPECT_EQ(grid.Col(), 0);
    // The keys stayed in the grid.
    EXPECT_EQ(::GetFocus(), Grid());
}

TEST_F(GuiTest, DraggingAHeaderSeparatorResizesTheColumn) {
    Open();
    gui::TDrawGrid& grid = *Form().dgDevices;
    const int width = grid.ColWidth(1);
    const gui::TRect header = grid.CellRect(1, 0);
    ::SendMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.Right + 1, 5));
    ::SendMessageA(Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(header.Right + 41, 5));
    ::SendMessageA(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(header.Right + 41, 5));
    Pump();
    EXPECT_EQ(grid.ColWidth(1), width + 40);
    EXPECT_EQ(grid.Row(), 1) << "a drag on a separator selects nothing";

    // Away from the separators the header does not resize.
    ::SendMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.Left + 20, 5));
    ::SendMessageA(Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(header.Left + 90, 5));
    ::SendMessageA(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(header.Left + 90, 5));
    Pump();
    EXPECT_EQ(grid.ColWidth(1), width + 40);
    EXPECT_EQ(grid.ColWidth(0), 200);
}

TEST_F(GuiTest, ScrollBarsShowOnlyWhileSomethingIsOutOfView) {
    Open();
    const HWND grid = Grid();
    auto bars = [&] { return ::GetWindowLongPtrA(grid, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
    EXPECT_EQ(bars(), 0);

    // Narrow and low: both bars, and the grid's client area excludes them.
    ::SetWindowPos(Main(), nullptr, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(bars(), WS_HSCROLL | WS_VSCROLL);
    RECT client{};
    ::GetClientRect(grid, &client);
    EXPECT_EQ(Form().dgDevices->ClientWidth(), client.right);
    EXPECT_EQ(Form().dgDevices->ClientHeight(), client.bottom);

    // Moving to the last column scrolls it into view; the bar follows.
    ::SetFocus(grid);
    Key(grid, VK_END);
    EXPECT_GT(Form().dgDevices->LeftCol(), 0);
    EXPECT_EQ(::GetScrollPos(grid, SB_HORZ), Form().dgDevices->LeftCol());
    ::SendMessageA(grid, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(Form().dgDevices->LeftCol(), 0);
    ::SendMessageA(grid, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Form().dgDevices->LeftCol(), 1);

    // Wide again: the bars go, and nothing stays scrolled out of reach.
    ::SetWindowPos(Main(), nullptr, 0, 0, 963, 345, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(bars(), 0);
    EXPECT_EQ(Form().dgDevices->LeftCol(), 0);
    EXPECT_EQ(Form().dgDevices->TopRow(), 1);
}

TEST_F(GuiTest, APaintDrawsOnlyTheCellsInItsRegion) {
    Open();
    gui::TDrawGrid& grid = *Form().dgDevices;
    int drawn = 0;
    const gui::TDrawCellEvent draw = grid.OnDrawCell;
    grid.OnDrawCell = [&](gui::TObject& sender, int col, int row, const gui::TRect& rect,
                          gui::TGridDrawState state) {
        ++drawn;
        draw(sender, col, row, rect, state);
    };
    ::UpdateWindow(Grid());
    drawn = 0;
    // Two cells far apart: their bounding box covers many more.
    const gui::TRect first = grid.CellRect(0, 1);
    const gui::TRect last = grid.CellRect(5, 3);
    const RECT a{first.Left, first.Top, first.Right, first.Bottom};
    const RECT b{last.Left, last.Top, last.Right, last.Bottom};
    ::InvalidateRect(Grid(), &a, FALSE);
    ::InvalidateRect(Grid(), &b, FALSE);
    ::UpdateWindow(Grid());
    EXPECT_EQ(drawn, 2);
    grid.OnDrawCell = draw;
}

TEST_F(GuiTest, AFailingCellEndsItsPaintWhichIsReportedAndNotRepeated) {
    Open();
    // From now on no parent can be opened.
    machine_.AddFault({"SetupDiOpenDeviceInfoA"});
    Click(*Form().cbParent);
    ASSERT_EQ(boxes_.Shown().size(), 1u) << "the controls could not show the parent";
    ::InvalidateRect(Grid(), nullptr, FALSE);
    ::UpdateWindow(Grid());
    Pump();
    ASSERT_GE(boxes_.Shown().size(), 2u);
    for (const ShownBox& box : boxes_.Shown()) {
        EXPECT_EQ(box.text, "GetParentDevice.GetDevInfoByDevInst.");
        EXPECT_EQ(box.owner, application_.Handle());
    }
    // The failed paint left its area valid: nothing waits to be painted again.
    EXPECT_FALSE(::GetUpdateRect(Grid(), nullptr, FALSE));
    EXPECT_TRUE(::IsWindowEnabled(Main()));
}

}  // namespace
}  // namespace gui_test
