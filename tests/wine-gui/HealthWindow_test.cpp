// The health window as a user meets it on the demo machine: a table whose columns
// show their texts whole, opened centred over the setup window, worked with Tab,
// Enter and Escape; and the measuring window, opened beside the setup window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "GuiFixture.h"
#include "HealthRows.h"
#include "ui/HealthView.h"
#include "ui/win32/SmallWindowPlace.h"

namespace gui_test {

namespace {

class SmallWindowsTest : public GuiTest {
  protected:
    win32::HealthWindow& OpenHealth() {
        Open();
        Form().OnFilterHealth();
        Pump();
        win32::HealthWindow* health = window_->Health();
        EXPECT_NE(health, nullptr);
        return *health;
    }
};

int CentreX(const gui::TRect& r) {
    return (r.Left + r.Right) / 2;
}
int CentreY(const gui::TRect& r) {
    return (r.Top + r.Bottom) / 2;
}

bool Inside(const gui::TRect& inner, const gui::TRect& outer) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

}  // namespace

TEST_F(SmallWindowsTest, TheHealthTableHasItsColumnsAndEveryTextFitsItsColumn) {
    win32::HealthWindow& health = OpenHealth();
    const HWND list = health.List();
    ASSERT_EQ(ListViewColumns(list), static_cast<int>(ui::kHealthColumns.size()));
    const auto header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < ListViewColumns(list); ++column) {
        char title[64] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof(title);
        ::SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column),
                       reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(title, ui::kHealthColumns[static_cast<std::size_t>(column)]);
    }
    const auto rows = ListViewRows(list);
    ASSERT_GE(rows.size(), 2u) << "the game pad and the plain mouse carry the filter";
    for (const auto& row : rows) {
        for (int column = 0; column < static_cast<int>(row.size()); ++column) {
            const auto text = row[static_cast<std::size_t>(column)];
            const auto width = ::SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                              reinterpret_cast<LPARAM>(text.c_str()));
            EXPECT_GT(::SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0),
                      width)
                << "\"" << text << "\" is cut off";
        }
    }
    // The product names tell the rows apart where the descriptions are all alike.
    EXPECT_NE(rows[0][1], rows[1][1]);
}

TEST_F(SmallWindowsTest, TheHealthWindowOpensCentredOverTheSetupWindow) {
    win32::HealthWindow& health = OpenHealth();
    const gui::TRect owner = win32::ScreenRectOf(Main());
    const gui::TRect shown = win32::ScreenRectOf(health.Handle());
    const gui::TRect work = win32::WorkAreaOf(Main());
    EXPECT_TRUE(Inside(shown, work));
    if (shown.Width() <= work.Width() && Inside(owner, work)) {
        EXPECT_LE(std::abs(CentreX(shown) - CentreX(owner)), 1);
        EXPECT_LE(std::abs(CentreY(shown) - CentreY(owner)), 1);
    }
}

TEST_F(SmallWindowsTest, TabMovesThroughTheHealthWindowAndEnterOrEscapeClosesIt) {
    win32::HealthWindow& health = OpenHealth();
    const HWND window = health.Handle();
    EXPECT_EQ(::GetFocus(), health.List()) << "the table has the focus first";
    Key(::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), health.RepairButton()) << "the game pad can be repaired";
    Key(::GetFocus(), VK_TAB);
    Key(::GetFocus(), VK_TAB);
    EXPECT_EQ(WindowText(::GetFocus()), "Close");
    Key(::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), health.List()) << "round again";
    Key(::GetFocus(), VK_RETURN);
    EXPECT_FALSE(::IsWindow(window)) << "Enter in the table is the default button, Close";
    EXPECT_EQ(window_->Health(), nullptr);

    Form().OnFilterHealth();
    Pump();
    ASSERT_NE(window_->Health(), nullptr);
    const HWND again = window_->Health()->Handle();
    Key(::GetFocus(), VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(again));
}

TEST_F(SmallWindowsTest, TheMeasuringWindowOpensBesideTheSetupWindowAndEscapeClosesIt) {
    Open();
    Form().OnMeasure(IndexOf(kPlainMouse));
    Pump();
    win32::MeasureWindow* measuring = window_->Input().Measuring();
    ASSERT_NE(measuring, nullptr);
    const gui::TRect owner = win32::ScreenRectOf(Main());
    const gui::TRect shown = win32::ScreenRectOf(measuring->Handle());
    const gui::TRect work = win32::WorkAreaOf(Main());
    EXPECT_TRUE(Inside(shown, work));
    if (owner.Right + shown.Width() <= work.Right) {
        EXPECT_EQ(shown.Left, owner.Right) << "to the right of it";
    } else if (owner.Left - shown.Width() >= work.Left) {
        EXPECT_EQ(shown.Right, owner.Left) << "to the left of it";
    }
    if (owner.Top >= work.Top && owner.Top + shown.Height() <= work.Bottom) {
        EXPECT_EQ(shown.Top, owner.Top);
    }
    // Its title names the product, not the description every row shares.
    EXPECT_EQ(WindowText(measuring->Handle()), "Polling rate - USB Optical Mouse");
    ::SetActiveWindow(measuring->Handle());
    Key(measuring->Handle(), VK_ESCAPE);
    EXPECT_EQ(window_->Input().Measuring(), nullptr);
}

}  // namespace gui_test
