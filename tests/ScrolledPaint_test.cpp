// A paint visits only the rows that can be on screen, so it must still draw every
// cell in view: the header and exactly the rows from the top row down to the one
// cut by the bottom edge, wherever the grid is scrolled.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/Platform.h"
#include "tests/GeneratedWindow.h"
#include "ui/headless/RecordingCanvas.h"

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

// The devices a row may ask about: its listed device, the parent and children of
// that, and the grandparent (the parent of the device to process under Process
// Parent). Found with the call log off.
void AddRowDevices(sim::Machine& machine, DEVINST listed, std::set<std::string>& ids) {
    const bool logging = std::exchange(machine.logging, false);
    ids.insert(machine.InstanceIdOf(listed));
    DEVINST node = listed;
    for (int up = 0; up < 2 && plat::CM_Get_Parent(&node, node, 0) == CR_SUCCESS; ++up) {
        ids.insert(machine.InstanceIdOf(node));
    }
    DEVINST child = 0;
    for (CONFIGRET r = plat::CM_Get_Child(&child, listed, 0); r == CR_SUCCESS;
         r = plat::CM_Get_Sibling(&child, child, 0)) {
        ids.insert(machine.InstanceIdOf(child));
    }
    machine.logging = logging;
}

// A paint of part of the grid (a window uncovered, a row repainted) reads only the rows
// it draws, at most two hub tests each.
TEST(ScrolledPaint, APaintOfTwoRowsAsksAboutThoseRowsAlone) {
    for (const bool processParent : {false, true}) {
        generated::WindowBed bed(1000, processParent);
        gui::TDrawGrid& grid = *bed.Form().dgDevices;
        bed.window->Paint();  // the parent objects exist from here on
        const int first = grid.TopRow() + 4;
        std::set<std::string> ours;
        for (const int row : {first, first + 1}) {
            const device::TDevice& listed = bed.Form().DeviceList->GetDevice(row - grid.FixedRows);
            AddRowDevices(bed.machine, listed.DevInfoData.DevInst, ours);
        }
        ASSERT_FALSE(grid.CellRect(0, first + 1).Empty());
        bed.machine.logging = true;
        headless::RecordingCanvas canvas;
        grid.Paint(canvas, {0, grid.CellRect(0, first).Top, grid.ClientWidth(),
                            grid.CellRect(0, first + 1).Bottom});
        std::size_t hubTests = 0;
        for (const sim::Call& call : bed.machine.Calls()) {
            EXPECT_TRUE(call.device.empty() || ours.count(call.device) == 1)
                << call.op << " about " << call.device;
            hubTests += call.op == "SetupDiGetClassDevsA" ? 1 : 0;
        }
        EXPECT_GT(hubTests, 0u);
        EXPECT_LE(hubTests, 4u);
        std::size_t texts = 0;
        for (const headless::CanvasOp& op : canvas.Ops()) {
            texts += op.kind == headless::CanvasOp::Kind::Text ? 1 : 0;
        }
        EXPECT_EQ(texts, 2 * static_cast<std::size_t>(grid.ColCount()));
    }
}

}  // namespace
