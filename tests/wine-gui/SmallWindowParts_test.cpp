// What every small window of its own is made with: its place over its owner, its
// push buttons' widths from the font, and a clear error for a window or control
// that cannot be made.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "GuiFixture.h"
#include "base/Failure.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/OwnedTopWindow.h"
#include "ui/win32/SmallWindowMeasures.h"
#include "ui/win32/SmallWindowPlace.h"
#include "ui/win32/WindowClasses.h"

namespace gui_test {

namespace {

class SmallWindowPartsTest : public GuiTest {
  protected:
    HFONT Font() const { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }
    HINSTANCE Instance() const { return ::GetModuleHandleA(nullptr); }
};

POINT Centre(const gui::TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

bool Near(POINT a, POINT b) {
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

}  // namespace

TEST_F(SmallWindowPartsTest, AButtonIsAsWideAsTheCaptionItShows) {
    const TEXTMETRICA metrics = win32::ScreenTextMetrics(Font());
    ASSERT_GT(metrics.tmAveCharWidth, 0);
    const int room = 4 * metrics.tmAveCharWidth;
    const char* shown = "Remove filter from broken devices";
    const int text = win32::ScreenTextExtent(Font(), shown).cx;
    ASSERT_GT(text + room, 12 * metrics.tmAveCharWidth);
    // The mnemonic's ampersand takes no room; a doubled one draws one ampersand.
    EXPECT_EQ(win32::PushButtonWidth(Font(), metrics, "&Remove filter from broken devices"),
              text + room);
    EXPECT_EQ(win32::PushButtonWidth(Font(), metrics, "Remove filter from broken devices"),
              text + room);
    EXPECT_EQ(win32::PushButtonWidth(Font(), metrics, "Remove filter && broken devices"),
              win32::ScreenTextExtent(Font(), "Remove filter & broken devices").cx + room);
    // A short caption gets a message box button's width.
    EXPECT_EQ(win32::PushButtonWidth(Font(), metrics, "&Keep"), 12 * metrics.tmAveCharWidth);
}

TEST_F(SmallWindowPartsTest, ASmallWindowOpensOverItsOwnerOrInTheMiddleOfTheWorkArea) {
    const win32::WindowHandle owner(
        ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 500, 400,
                          nullptr, nullptr, Instance(), nullptr));
    ASSERT_TRUE(owner);
    Pump();
    const gui::TRect area = win32::WorkAreaOf(owner.get());
    const gui::TRect over = win32::CentredOverOwner(owner.get(), 200, 100);
    EXPECT_EQ(over.Width(), 200);
    EXPECT_EQ(over.Height(), 100);
    EXPECT_TRUE(Near(Centre(over), Centre(win32::ScreenRectOf(owner.get()))));

    // A minimized owner lies off the screen: the window opens in the middle of the
    // work area rather than at its corner.
    ::ShowWindow(owner.get(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(::IsIconic(owner.get()));
    EXPECT_TRUE(Near(Centre(win32::CentredOverOwner(owner.get(), 200, 100)), Centre(area)));
    ::ShowWindow(owner.get(), SW_HIDE);
    Pump();
    EXPECT_TRUE(Near(Centre(win32::CentredOverOwner(owner.get(), 200, 100)), Centre(area)));
    EXPECT_TRUE(Near(Centre(win32::CentredOverOwner(nullptr, 200, 100)),
                     Centre(win32::WorkAreaOf(nullptr))));
}

TEST_F(SmallWindowPartsTest, AWindowOrControlThatCannotBeMadeIsAFailure) {
    const gui::TRect place{10, 20, 210, 120};
    // Our classes are registered for the program's instance, and only there.
    EXPECT_THROW(win32::CreateOwnedTopWindow({"QuorvinNoSuchClass", "x", WS_POPUP}, place, nullptr,
                                             Instance(), this, "test window"),
                 base::Failure);
    const win32::WindowHandle made =
        win32::CreateOwnedTopWindow({win32::kApplicationClassName, "made", WS_POPUP}, place,
                                    nullptr, Instance(), nullptr, "test window");
    ASSERT_TRUE(made);
    RECT rect{};
    ::GetWindowRect(made.get(), &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.bottom, 120);

    const HWND label =
        win32::CreateChildControl(made.get(), Instance(), Font(), {"STATIC", "label", SS_LEFT, 7});
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(label), 7);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)), Font());
    EXPECT_THROW(
        win32::CreateChildControl(made.get(), Instance(), Font(), {"QuorvinNoSuchControl", "", 0}),
        base::Failure);
}

}  // namespace gui_test
