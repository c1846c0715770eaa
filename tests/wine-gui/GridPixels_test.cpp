// The grid's colours as they reach the screen, read back from its pixels: the
// marking of hubs and of devices attached to a hub, the highlight of the current
// cell (also while focused), the header's face and the plain window colour.
#include <algorithm>
#include <string>

#include "GuiFixture.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Win32Canvas.h"

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
    const int plain = RowOf(kPlainMouse);
    const int gaming = RowOf(kCompositeMouse);
    const int behindHub = RowOf(kHubMouse);
    ASSERT_EQ(Form().dgDevices->Row(), plain);
    EXPECT_EQ(CellColor(0, plain), ::GetSysColor(COLOR_HIGHLIGHT)) << "focused, still highlighted";
    // The gaming mouse under its composite device, no hub: window colour.
    for (int col = 0; col < 6; ++col) {
        EXPECT_EQ(CellColor(col, gaming), ::GetSysColor(COLOR_WINDOW)) << col;
    }
    // The plain mouse on the root hub and the mouse behind the external hub hang on a
    // hub: light green, all six cells but the current one.
    for (int col = 0; col < 6; ++col) {
        if (col > 0) {
            EXPECT_EQ(CellColor(col, plain), kLightGreen) << col;
        }
        EXPECT_EQ(CellColor(col, behindHub), kLightGreen) << col;
    }
    EXPECT_EQ(CellColor(2, 0), ::GetSysColor(COLOR_BTNFACE));
    // The current cell moves, and the marking comes back where it was.
    ClickCell(4, behindHub);
    EXPECT_EQ(CellColor(4, behindHub), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(CellColor(0, behindHub), kLightGreen);
    EXPECT_EQ(CellColor(0, plain), kLightGreen);
}

TEST_F(GridPixels, ProcessParentColoursByTheParent) {
    Open();
    const int gaming = RowOf(kCompositeMouse);
    const int plain = RowOf(kPlainMouse);
    Click(*Form().cbParent);
    // The gaming mouse's row now stands for the composite device, which hangs on the
    // root hub; the plain mouse's row for the root hub itself.
    EXPECT_EQ(CellColor(1, gaming), kLightGreen);
    EXPECT_EQ(CellColor(1, plain), kLightRed);
    EXPECT_EQ(CellColor(5, plain), kLightRed);
    Click(*Form().cbParent);
    EXPECT_EQ(CellColor(1, gaming), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CellColor(1, plain), kLightGreen);
}

// Whether a pixel lies between the text colour and the fill in every channel: the
// fill, the text, or a smoothed edge of the text.
bool BlendOf(COLORREF pixel, COLORREF text, COLORREF fill) {
    const auto between = [](int value, int a, int b) {
        return value >= std::min(a, b) && value <= std::max(a, b);
    };
    return between(GetRValue(pixel), GetRValue(text), GetRValue(fill)) &&
           between(GetGValue(pixel), GetGValue(text), GetGValue(fill)) &&
           between(GetBValue(pixel), GetBValue(text), GetBValue(fill));
}

// In a grid paint the cells after a cell cover whatever its text would spill, so
// the canvas is checked on its own: a long text in a short cell. Whether text is
// smoothed is up to the machine's settings (the window asks for the default
// quality), so the text is drawn with each quality: the cell is filled, nothing
// reaches outside it, text is there, and no pixel of the background shows inside.
TEST(Win32Canvas, TextIsOpaqueAndClippedToItsCell) {
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    for (const BYTE quality :
         {DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY}) {
        SCOPED_TRACE("quality " + std::to_string(quality));
        win32::WindowDC screen(nullptr);
        win32::MemoryDC dc(screen.get());
        const win32::BitmapHandle bitmap(::CreateCompatibleBitmap(screen.get(), 200, 40));
        win32::SelectedObject selectBitmap(dc.get(), bitmap.get());
        const win32::FontHandle font =
            quality == DEFAULT_QUALITY
                ? win32::CreateWindowFont({"MS Sans Serif", 11})
                : win32::FontHandle(::CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                  CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH,
                                                  "MS Sans Serif"));
        win32::SelectedObject selectFont(dc.get(), font.get());
        win32::Win32Canvas canvas(dc.get());
        canvas.SetBrushColor(kWhite);
        canvas.FillRect({0, 0, 200, 40});

        canvas.SetBrushColor(kLightGreen);
        canvas.SetFontColor(kBlack);
        const gui::TRect cell{10, 5, 40, 26};
        canvas.TextRect(cell, cell.Left + 3, cell.Top + 3,
                        "HID-compliant mouse; HID Keyboard Device");

        int text = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                const COLORREF pixel = ::GetPixel(dc.get(), x, y);
                const bool inside =
                    x >= cell.Left && x < cell.Right && y >= cell.Top && y < cell.Bottom;
                if (!inside) {
                    ASSERT_EQ(pixel, kWhite) << "outside the cell at " << x << "," << y;
                } else if (pixel != kLightGreen) {
                    // Opaque: the white below never shows through, not even at a
                    // smoothed edge.
                    ASSERT_TRUE(BlendOf(pixel, kBlack, kLightGreen))
                        << std::hex << pixel << std::dec << " at " << x << "," << y;
                    ++text;
                }
            }
        }
        // The fill reaches the cell's edges, where the text does not start.
        EXPECT_EQ(::GetPixel(dc.get(), cell.Left, cell.Top), kLightGreen);
        EXPECT_EQ(::GetPixel(dc.get(), cell.Right - 1, cell.Bottom - 1), kLightGreen);
        EXPECT_GT(text, 20) << "the text is drawn";
    }
}

}  // namespace
}  // namespace gui_test
