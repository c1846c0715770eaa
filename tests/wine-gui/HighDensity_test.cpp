// The window at 144 pixels per inch (a run of its own, with LogPixels=144 set in
// the prefix): the font and the controls scaled at load time, then at show time
// the row height 21 becomes 31, the client height grows by 144/96, and the client
// width is at least what the Close button needs.
#include "GuiFixture.h"
#include "ui/Layout.h"

namespace gui_test {
namespace {

TEST_F(GuiTest, HighDensityScalesAtLoadAndAtShow) {
    ASSERT_EQ(application_.App().PixelsPerInch(), 144) << "run with LogPixels=144";
    Open("", false);
    EXPECT_EQ(Form().dgDevices->DefaultRowHeight(), 21) << "unchanged until shown";
    RECT before{};
    ::GetClientRect(Main(), &before);
    LOGFONTA font{};
    const auto handle =
        reinterpret_cast<HFONT>(::SendMessageA(Handle(*Form().cbFilter), WM_GETFONT, 0, 0));
    ASSERT_NE(::GetObjectA(handle, sizeof(font), &font), 0);
    EXPECT_EQ(font.lfHeight, -17) << "11 pixels at 96, rounded";
    EXPECT_GT(Form().BitBtn_Close->Width(), 90) << "controls scaled with the text height";

    Show();
    EXPECT_EQ(Form().dgDevices->DefaultRowHeight(), 31);
    RECT after{};
    ::GetClientRect(Main(), &after);
    EXPECT_EQ(after.bottom, before.bottom * 144 / 96);
    const gui::TButton& close = *Form().BitBtn_Close;
    const int needed = Form().PanelFutt->Left() + close.Left() + close.Width() + close.Height();
    EXPECT_EQ(after.right, std::max<LONG>(before.right, needed));
    // The grid's rows really are 31 pixels apart on the screen.
    EXPECT_EQ(Form().dgDevices->CellRect(0, 2).Top - Form().dgDevices->CellRect(0, 1).Top, 32);
    // Still centred with the new size.
    RECT outer{};
    ::GetWindowRect(Main(), &outer);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

}  // namespace
}  // namespace gui_test
