// The grid's colours as they reach the screen, read back from its pixels: the
// marking of hubs and of devices attached to a hub, the highlight of the current
// cell (also while focused), the header's face and the plain window colour.
#include "GuiFixture.h"

namespace gui_test {
namespace {

constexpr COLORREF kLightRed = RGB(255, 204, 204);
constexpr COLORREF kLightGreen = RGB(204, 255, 204);

class GridPixels : public GuiTest {
  protected:
    // A pixel inside the cell, clear of its text and edges.
    COLORREF CellColor(int col, int row) {
        const gui::TRect cell = Form().dgDevices->CellRect(col, row);
        return GridPixel(cell.Right - 3, cell.Bottom - 3);
    }
};

TEST_F(GridPixels, RowsCarryTheirMarkingAndTheCurrentCellTheHighlight) {
    Open();
    ::SetFocus(Grid());
    Pump();
    ASSERT_EQ(Form().dgDevices->Row(), 1);
    EXPECT_EQ(CellColor(0, 1), ::GetSysColor(COLOR_HIGHLIGHT)) << "focused, still highlighted";
    // Row 1: the gaming mouse under its composite device, no hub: window colour.
    EXPECT_EQ(CellColor(1, 1), ::GetSysColor(COLOR_WINDOW));
    // Rows 2 and 3 hang on a hub: light green, all six cells.
    for (int col = 0; col < 6; ++col) {
        EXPECT_EQ(CellColor(col, 2), kLightGreen) << col;
        EXPECT_EQ(CellColor(col, 3), kLightGreen) << col;
    }
    EXPECT_EQ(CellColor(2, 0), ::GetSysColor(COLOR_BTNFACE));
    // The current cell moves, and the marking comes back where it was.
    ClickCell(4, 2);
    EXPECT_EQ(CellColor(4, 2), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(CellColor(0, 2), kLightGreen);
    EXPECT_EQ(CellColor(0, 1), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(GridPixels, ProcessParentColoursByTheParent) {
    Open();
    Click(*Form().cbParent);
    // Row 1 now stands for the composite device, which hangs on the root hub; row 2
    // for the root hub itself.
    EXPECT_EQ(CellColor(1, 1), kLightGreen);
    EXPECT_EQ(CellColor(1, 2), kLightRed);
    EXPECT_EQ(CellColor(5, 2), kLightRed);
    Click(*Form().cbParent);
    EXPECT_EQ(CellColor(1, 1), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CellColor(1, 2), kLightGreen);
}

TEST_F(GridPixels, TextIsClippedToItsCell) {
    Open();
    gui::TDrawGrid& grid = *Form().dgDevices;
    // Column 2 holds "HID-compliant mouse; HID Keyboard Device" in row 1; narrowed,
    // the text must stop at the cell's edge and leave the grid line and the next
    // cell untouched.
    grid.SetColWidth(2, 30);
    const gui::TRect cell = grid.CellRect(2, 1);
    const gui::TRect next = grid.CellRect(3, 1);
    for (int y = cell.Top; y < cell.Bottom; ++y) {
        EXPECT_EQ(GridPixel(next.Left + 1, y), ::GetSysColor(COLOR_WINDOW)) << y;
    }
    bool textInCell = false;
    for (int x = cell.Left; x < cell.Right && !textInCell; ++x) {
        for (int y = cell.Top; y < cell.Bottom && !textInCell; ++y) {
            textInCell = GridPixel(x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
        }
    }
    EXPECT_TRUE(textInCell);
}

}  // namespace
}  // namespace gui_test
