// The real window at start: its class, frame, size and place, every control with
// its kind, place, caption, state and tab order, the font, the hints, the rate
// items and the rows of the demo machine; and the all-devices mode.
#include <array>
#include <string>

#include <windows.h>

#include <commctrl.h>

#include "GuiFixture.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "ui/Layout.h"

namespace gui_test {
namespace {

std::string ClassOf(HWND window) {
    std::array<char, 64> name{};
    ::GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return name.data();
}

LONG_PTR Style(HWND window) {
    return ::GetWindowLongPtrA(window, GWL_STYLE);
}

TEST_F(GuiTest, StartUpWindowFrameSizeAndPlace) {
    Open();
    EXPECT_EQ(ClassOf(Main()), "TfrmSetup");
    EXPECT_EQ(WindowText(Main()), "Kordane Setup");
    EXPECT_EQ(WindowText(application_.Handle()), "QUORVIN Setup");
    EXPECT_EQ(Style(Main()) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(::IsWindowVisible(Main()));

    RECT outer{};
    ::GetWindowRect(Main(), &outer);
    EXPECT_EQ(outer.right - outer.left, 963);
    EXPECT_EQ(outer.bottom - outer.top, 345);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 963) / 2);
    EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 345) / 2);
    RECT client{};
    ::GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, Form().ClientWidth());
    EXPECT_EQ(client.bottom, Form().ClientHeight());

    // The window font, on every control.
    LOGFONTA font{};
    const auto handle =
        reinterpret_cast<HFONT>(::SendMessageA(Handle(*Form().cbFilter), WM_GETFONT, 0, 0));
    ASSERT_NE(::GetObjectA(handle, sizeof(font), &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    for (const gui::TControl* control : Form().Controls()) {
        if (control->Kind() == gui::ControlKind::Panel) {
            continue;  // no text of their own
        }
        EXPECT_EQ(::SendMessageA(Handle(*control), WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(handle))
            << control->Name();
    }
}

TEST_F(GuiTest, StartUpControlsFollowTheLayout) {
    Open();
    for (const ui::layout::ControlSpec& plan : ui::layout::kControls) {
        SCOPED_TRACE(plan.name);
        const gui::TControl& control = *Form().FindControl(plan.name);
        const HWND window = Handle(control);
        ASSERT_NE(window, nullptr);
        // Parent, caption, state.
        const HWND parent =
            plan.parent != nullptr ? Handle(*Form().FindControl(plan.parent)) : Main();
        EXPECT_EQ(::GetParent(window), parent);
        if (plan.kind != gui::ControlKind::ComboBox) {
            EXPECT_EQ(WindowText(window), plan.caption);
        }
        EXPECT_EQ(::IsWindowEnabled(window) != FALSE, plan.enabled);
        EXPECT_EQ((Style(window) & WS_VISIBLE) != 0, plan.visible);
        EXPECT_EQ((Style(window) & WS_TABSTOP) != 0,
                  plan.tabOrder >= 0 && plan.kind != gui::ControlKind::Panel);
        // Place: the window stands where the control is; at 96 pixels per inch that
        // is the design place, except for what docking or the label's text decides.
        const RECT rect = RectInParent(window);
        EXPECT_EQ(rect.left, control.Left());
        EXPECT_EQ(rect.top, control.Top());
        EXPECT_EQ(rect.right - rect.left, control.Width());
        if (plan.align == gui::TAlign::alNone) {
            EXPECT_EQ(control.Left(), plan.left);
            EXPECT_EQ(control.Top(), plan.top);
            if (!plan.autoSize) {
                EXPECT_EQ(control.Width(), plan.width);
            }
        }
        // Kind.
        const std::string cls = ClassOf(window);
        switch (plan.kind) {
            case gui::ControlKind::CheckBox:
                EXPECT_EQ(cls, "Button");
                EXPECT_EQ(Style(window) & BS_TYPEMASK, BS_CHECKBOX);
                // The filter box shows the first row's device, the plain mouse,
                // which carries the filter.
                EXPECT_EQ(Checked(control), &control == Form().cbFilter || plan.checked);
                break;
            case gui::ControlKind::Button:
                // No default button.
                EXPECT_EQ(cls, "Button");
                EXPECT_EQ(Style(window) & BS_TYPEMASK, BS_PUSHBUTTON);
                break;
            case gui::ControlKind::ComboBox: {
                EXPECT_EQ(cls, "ComboBox");
                EXPECT_EQ(Style(window) & 3, CBS_DROPDOWNLIST);
                RECT dropped{};
                ::SendMessageA(window, CB_GETDROPPEDCONTROLRECT, 0,
                               reinterpret_cast<LPARAM>(&dropped));
                EXPECT_GT(dropped.bottom - dropped.top, control.Height()) << "room to drop down";
                break;
            }
            case gui::ControlKind::Label:
                EXPECT_EQ(cls, "Static");
                EXPECT_GT(control.Width(), 0);
                break;
            case gui::ControlKind::Panel:
                EXPECT_NE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
                break;
            case gui::ControlKind::DrawGrid:
                EXPECT_EQ(cls, "QuorvinDrawGrid");
                break;
        }
    }
    // The docked ones: the panels take the full width at the top and the bottom, the
    // grid the rest.
    RECT client{};
    ::GetClientRect(Main(), &client);
    const RECT head = RectInParent(Handle(*Form().pnlHEAD));
    const RECT foot = RectInParent(Handle(*Form().PanelFutt));
    const RECT grid = RectInParent(Grid());
    EXPECT_EQ(head.top, 0);
    EXPECT_EQ(head.right - head.left, client.right);
    EXPECT_EQ(foot.bottom, client.bottom);
    EXPECT_EQ(grid.top, head.bottom);
    EXPECT_EQ(grid.bottom, foot.top);
}

TEST_F(GuiTest, StartUpTabOrderFocusAndHints) {
    Open();
    const std::array<const gui::TControl*, 9> order = {
        Form().cbMouseOnly,    Form().cbParent, Form().dgDevices, Form().cbFilter,    Form().cbRate,
        Form().BitBtn_Install, Form().btnApply, Form().btnCopyID, Form().BitBtn_Close};
    EXPECT_EQ(::GetFocus(), Handle(*order[0]));
    HWND at = nullptr;
    for (const gui::TControl* control : order) {
        at = ::GetNextDlgTabItem(Main(), at, FALSE);
        EXPECT_EQ(at, Handle(*control)) << control->Name();
    }
    EXPECT_EQ(::GetNextDlgTabItem(Main(), at, FALSE), Handle(*order[0]));

    // Tab through the program's dialog keys moves the focus the same way.
    Key(::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), Handle(*order[1]));
    Key(::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), Grid());

    const HWND hints = window_->Window().Hints().Handle();
    EXPECT_EQ(::SendMessageA(hints, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
    EXPECT_EQ(::SendMessageA(hints, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    int withHint = 0;
    for (const gui::TControl* control : Form().Controls()) {
        if (control->Hint.empty()) {
            continue;
        }
        ++withHint;
        // The wide message: the narrow one returns at most 80 characters.
        std::array<wchar_t, 256> text{};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = ::GetParent(Handle(*control));
        tool.uId = reinterpret_cast<UINT_PTR>(Handle(*control));
        tool.lpszText = text.data();
        ::SendMessageW(hints, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::wstring(text.data()),
                  std::wstring(control->Hint.begin(), control->Hint.end()))
            << control->Name();
    }
    EXPECT_EQ(withHint, 9);
    EXPECT_EQ(::SendMessageA(hints, TTM_GETTOOLCOUNT, 0, 0), withHint);
}

TEST_F(GuiTest, StartUpDeviceControlsRatesAndRows) {
    Open();
    const HWND rate = Handle(*Form().cbRate);
    ASSERT_EQ(::SendMessageA(rate, CB_GETCOUNT, 0, 0), config::kRateCount);
    for (int i = 0; i < config::kRateCount; ++i) {
        std::array<char, 32> item{};
        ::SendMessageA(rate, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        EXPECT_STREQ(item.data(), config::RateNames[static_cast<std::size_t>(i)]);
    }
    // Row 1, the plain mouse, whose ID sorts first: the filter, bInterval 3 ("250").
    EXPECT_EQ(Form().dgDevices->Row(), 1);
    EXPECT_EQ(RowOf(kPlainMouse), 1);
    EXPECT_EQ(ComboSelection(), 3);
    EXPECT_TRUE(Checked(*Form().cbFilter));
    EXPECT_EQ(Form().dgDevices->RowCount(), device::TDeviceList(true, false).Count() + 1);
    for (const gui::TControl* control :
         {static_cast<gui::TControl*>(Form().cbFilter), static_cast<gui::TControl*>(Form().cbRate),
          static_cast<gui::TControl*>(Form().btnApply),
          static_cast<gui::TControl*>(Form().btnCopyID)}) {
        EXPECT_TRUE(::IsWindowEnabled(Handle(*control))) << control->Name();
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(GuiTest, AllDevicesModeHidesTheTopPanelAndListsEveryDevice) {
    Open("/all");
    EXPECT_TRUE(Form().AllDevicesMode);
    EXPECT_FALSE(::IsWindowVisible(Handle(*Form().pnlHEAD)));
    EXPECT_FALSE(::IsWindowEnabled(Handle(*Form().cbMouseOnly)));
    EXPECT_FALSE(::IsWindowEnabled(Handle(*Form().cbParent)));
    EXPECT_EQ(RectInParent(Grid()).top, 0);
    EXPECT_EQ(Form().dgDevices->RowCount(), device::TDeviceList(true, true).Count() + 1);
    // The first control that takes the focus is now the grid.
    EXPECT_EQ(::GetFocus(), Grid());
}

}  // namespace
}  // namespace gui_test
