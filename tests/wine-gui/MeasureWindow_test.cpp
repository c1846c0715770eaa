// The measuring window on the demo machine, read from its pixels: the intervals of
// the measured device drawn at their height, the stored rate's interval marked, and
// a device's reports reaching the window through the program's raw-input listener.
#include <windows.h>

#include <vector>

#include "GuiFixture.h"
#include "input/InterfaceName.h"
#include "platform/sim/SimInput.h"
#include "ui/MeasureView.h"

namespace gui_test {

namespace {

class MeasureTest : public GuiTest {
  protected:
    // Moves the device and hands its reports to the listener, as the demo does.
    void MoveDevice(const std::string& collection, double ms) {
        sim::Move(machine_, collection, ms);
        while (const auto delivery = sim::DeliverNext(machine_)) {
            ::SendMessageA(delivery->target, WM_INPUT, delivery->code,
                           reinterpret_cast<LPARAM>(delivery->input));
        }
    }
};

}  // namespace

TEST_F(MeasureTest, ThePlotShowsTheIntervalsAndTheStoredRate) {
    Open();
    // The plain mouse carries the filter; a stored 500 (2 ms) not yet restarted into.
    machine_.Key(kPlainMouse, DIREG_DRV)["bInterval"] = {REG_DWORD, std::string("\x02\0\0\0", 4)};
    Form().RebuildDeviceList();
    const int index = IndexOf(kPlainMouse);
    ASSERT_GE(index, 0);
    ASSERT_TRUE(Form().OnMeasure);
    Form().OnMeasure(index);
    win32::MeasureWindow* measuring = window_->Input().Measuring();
    ASSERT_NE(measuring, nullptr);
    sim::Advance(machine_, 10);
    MoveDevice(kPlainMouseCollection, 2000);  // at its own 8 ms
    // Another device's reports are not counted.
    MoveDevice("HID\\VID_2F1B&PID_0A31\\7&2A3B4C5D&0&0000", 500);
    measuring->UpdateFigures();
    ::InvalidateRect(measuring->Handle(), nullptr, FALSE);
    ::UpdateWindow(measuring->Handle());
    Pump();

    RECT client{};
    ::GetClientRect(measuring->Handle(), &client);
    TEXTMETRICA metrics{};
    {
        win32::WindowDC dc(measuring->Handle());
        win32::SelectedObject font(
            dc.get(), reinterpret_cast<HFONT>(::SendMessageA(Grid(), WM_GETFONT, 0, 0)));
        ::GetTextMetricsA(dc.get(), &metrics);
    }
    const RECT plot = win32::MeasureWindow::PlotArea(client, metrics.tmHeight);
    // The nominal 8 ms: a measured median a little above it keeps the same scale.
    const ui::PlotScale scale = ui::ChoosePlotScale(
        {plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1}, 2.0, 8.0);
    ASSERT_EQ(scale.topMs, 16.0);
    WindowImage image(measuring->Handle());
    std::vector<int> blueRows;
    int red = 0;
    for (int y = plot.top + 1; y < plot.bottom - 1; ++y) {
        for (int x = plot.left + 1; x < plot.right - 1; ++x) {
            const COLORREF pixel = image.At(x, y);
            if (pixel == RGB(0, 0, 192)) {
                blueRows.push_back(y);
            } else if (pixel == RGB(208, 0, 0)) {
                red += y == scale.Y(2.0) ? 1 : 0;
                EXPECT_EQ(y, scale.Y(2.0));
            }
        }
    }
    EXPECT_GT(red, 50);  // a dashed line across the plot
    ASSERT_GT(blueRows.size(), 100u);
    // 8 ms with up to 5 % jitter either way.
    for (const int y : blueRows) {
        EXPECT_GE(y, scale.Y(8.5));
        EXPECT_LE(y, scale.Y(7.5));
    }

    // Every figure is text a screen reader reaches, and the difference is explained:
    // the rate was stored outside this window, so a missing Restart is one cause.
    const std::vector<HWND>& texts = measuring->TextControls();
    ASSERT_EQ(texts.size(), win32::MeasureWindow::kFigureLines + 2);
    EXPECT_EQ(WindowText(texts[1]).rfind("Reports measured: 2", 0), 0u) << WindowText(texts[1]);
    EXPECT_EQ(WindowText(texts[4]).rfind("Median interval: 8.", 0), 0u) << WindowText(texts[4]);
    EXPECT_EQ(WindowText(texts[texts.size() - 2]),
              "Expected from the stored rate: one report every 2 ms.");
    EXPECT_EQ(WindowText(texts.back()),
              "A stored rate takes effect only after Restart; if the device was restarted "
              "since, it may not support that rate.");
}

TEST_F(MeasureTest, ClosingTheWindowEndsTheMeasurement) {
    Open();
    Form().OnMeasure(IndexOf(kPlainMouse));
    win32::MeasureWindow* measuring = window_->Input().Measuring();
    ASSERT_NE(measuring, nullptr);
    ::SendMessageA(measuring->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(window_->Input().Measuring(), nullptr);
    MoveDevice(kPlainMouseCollection, 100);  // reaches nobody, harms nothing
}

TEST_F(MeasureTest, InputMarksTheRowInTheRealGrid) {
    Open();
    const int index = IndexOf(kPlainMouse);
    ::SetActiveWindow(Main());
    sim::Advance(machine_, 10);
    MoveDevice(kPlainMouseCollection, 50);
    Pump();
    EXPECT_GT(Form().ActivityLevel(index, sim::Clock(machine_)), 0.9);
    const gui::TRect cell = Form().dgDevices->CellRect(0, RowOf(kPlainMouse));
    const int y = (cell.Top + cell.Bottom) / 2;
    EXPECT_EQ(GridPixel(cell.Right - 9, y), RGB(0x2D, 0xB2, 0x2D));
}

}  // namespace gui_test
