// A paint visits only the rows that can be on screen, so it must still draw every
// cell in view: the header and exactly the rows from the top row down to the one
// cut by the bottom edge, wherever the grid is scrolled.
#include <gtest/gtest.h>

#include "tests/GeneratedWindow.h"

namespace {

TEST(ScrolledPaint, DrawsTheHeaderAndExactlyTheRowsInView) {
    generated::WindowBed bed(1000, false);
    gui::TDrawGrid& grid = *bed.Form().dgDevices;
    // Half a row more than 30, so that the last row in view is cut by the bottom edge.
    const int stride = grid.DefaultRowHeight() + grid.GridLineWidth;
    grid.SetClientArea(grid.ClientWidth(), grid.ClientHeight() + stride / 2);
    const int last = grid.RowCount() - 1;
    ASSERT_GT(last, 200);

    for (const int top : {1, 2, 137, last - 29, last}) {
        grid.UserScroll(grid.LeftCol(), top);
        bed.window->Paint();
        int drawnRows = 0;
        for (int row = 0; row < grid.RowCount(); ++row) {
            const bool inView = !grid.CellRect(0, row).Empty();
            EXPECT_EQ(bed.window->Cell(0, row).has_value(), inView)
                << "top row " << grid.TopRow() << ", row " << row;
            drawnRows += inView ? 1 : 0;
        }
        EXPECT_EQ(bed.window->Cell(0, 0)->text, "Device Name");
        EXPECT_EQ(bed.window->Cell(0, grid.TopRow())->text,
                  bed.Form().DeviceList->GetDevice(grid.TopRow() - 1).GetDescription());
        EXPECT_LE(drawnRows, 1 + generated::kVisibleRows + 1);
    }
}

}  // namespace
