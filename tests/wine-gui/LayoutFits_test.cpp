// The window's layout with the fonts it really gets, at whatever density the run
// sets (tests/wine-gui/run.sh runs it at 96, 120 and 144 pixels per inch): every
// caption fits its control, no two visible controls overlap, and every control lies
// inside its parent's client area. Windows swaps a scalable face for the bitmap UI
// font at high densities, and a face with other widths makes a caption run into its
// neighbour; this is where that shows.
#include <algorithm>
#include <cstdint>
#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest-spi.h>

#include "GuiFixture.h"

namespace gui_test {
namespace {

struct Child {
    HWND handle;
    std::string name;  // class and caption, for the messages
    RECT rect;         // in the parent's client area
    RECT drawn;        // the part that shows something, in the same place
};

std::string LowerClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    // Class names compare without case; one spelling for the checks.
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsCheckBox(HWND window) {
    if (LowerClassOf(window) != "button") {
        return false;
    }
    const LONG type = ::GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

SIZE TextExtent(HWND window, const std::string& text) {
    SIZE size{0, 0};
    win32::WindowDC dc(window);
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    win32::SelectedObject selected(dc.get(),
                                   font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
    ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Where a check box's caption starts: after the box, which the common controls
// draw 13 pixels wide at 96 pixels per inch, and a gap of half a digit's width.
int CaptionOffset(HWND box, int pixelsPerInch) {
    return ::MulDiv(13, pixelsPerInch, 96) + TextExtent(box, "0").cx / 2;
}

bool Intersect(const RECT& a, const RECT& b) {
    RECT common{};
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
    std::ostringstream out;
    out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return out.str();
}

class LayoutFits : public GuiTest {
  protected:
    // The visible children of a window, with the rectangles the checks compare.
    std::vector<Child> VisibleChildren(HWND parent) {
        std::vector<Child> children;
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child)) {
                continue;
            }
            const std::string text = WindowText(child);
            Child c{child, LowerClassOf(child) + " \"" + text + "\"", RectInParent(child), {}};
            c.drawn = c.rect;
            // A check box's and a label's window may reach past what they draw (the
            // design lets "Filter On Device" reach a pixel under the rate list); the
            // box and the caption, as wide as the font makes it, must stay clear of
            // the neighbours.
            if (IsCheckBox(child)) {
                c.drawn.right = c.rect.left + CaptionOffset(child, PixelsPerInch()) +
                                TextExtent(child, text).cx;
            } else if (LowerClassOf(child) == "static") {
                c.drawn.right = c.rect.left + TextExtent(child, text).cx;
            }
            children.push_back(c);
        }
        return children;
    }

    int PixelsPerInch() { return application_.App().PixelsPerInch(); }

    // Checks one parent's children and then theirs.
    void CheckChildrenOf(HWND parent) {
        RECT client{};
        ::GetClientRect(parent, &client);
        const std::vector<Child> children = VisibleChildren(parent);
        for (const Child& c : children) {
            SCOPED_TRACE(c.name + " " + Describe(c.rect));
            EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.right <= client.right &&
                        c.rect.bottom <= client.bottom)
                << "outside its parent's client area " << Describe(client);
            CheckCaption(c);
            ++checked_;
        }
        for (size_t i = 0; i < children.size(); ++i) {
            for (size_t j = i + 1; j < children.size(); ++j) {
                EXPECT_FALSE(Intersect(children[i].drawn, children[j].drawn))
                    << children[i].name << " " << Describe(children[i].drawn) << " overlaps "
                    << children[j].name << " " << Describe(children[j].drawn);
            }
        }
        for (const Child& c : children) {
            CheckChildrenOf(c.handle);
        }
    }

    void CheckCaption(const Child& c) {
        const std::string text = WindowText(c.handle);
        const std::string cls = LowerClassOf(c.handle);
        if (text.empty() || (cls != "button" && cls != "static")) {
            return;
        }
        RECT client{};
        ::GetClientRect(c.handle, &client);
        const SIZE extent = TextExtent(c.handle, text);
        int room = client.right;
        if (IsCheckBox(c.handle)) {
            room -= CaptionOffset(c.handle, PixelsPerInch());
        } else if (cls == "button") {
            // A push button keeps its edge and the focus rectangle clear of the text.
            room -= 2 * (::GetSystemMetrics(SM_CXEDGE) + 1);
        }
        EXPECT_LE(extent.cx, room) << "the caption is " << extent.cx << " pixels wide";
        EXPECT_LE(extent.cy, client.bottom) << "the caption is " << extent.cy << " pixels high";
        ++captions_;
    }

    int checked_ = 0;
    int captions_ = 0;
};

TEST_F(LayoutFits, CaptionsFitAndControlsNeitherOverlapNorLeaveTheWindow) {
    Open();
    {
        // The face the window's font became, for whoever reads the log.
        win32::WindowDC dc(Main());
        win32::SelectedObject selected(dc.get(), reinterpret_cast<HFONT>(::SendMessageA(
                                                     Handle(*Form().cbFilter), WM_GETFONT, 0, 0)));
        char face[LF_FACESIZE] = {};
        ::GetTextFaceA(dc.get(), sizeof(face), face);
        // A substituted face keeps the asked-for name; the outline metrics name
        // the font that draws.
        std::string family = "a bitmap font";
        std::vector<char> metrics(::GetOutlineTextMetricsA(dc.get(), 0, nullptr));
        if (!metrics.empty()) {
            auto* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics.data());
            if (::GetOutlineTextMetricsA(dc.get(), static_cast<UINT>(metrics.size()), outline)) {
                family = metrics.data() + reinterpret_cast<uintptr_t>(outline->otmpFamilyName);
            }
        }
        TEXTMETRICA text{};
        ::GetTextMetricsA(dc.get(), &text);
        std::cout << "[ layout   ] at " << PixelsPerInch() << " pixels per inch: " << face
                  << " drawn by " << family << ", " << text.tmHeight << " pixels high\n";
    }
    CheckChildrenOf(Main());
    // Panels, grid, three check boxes, the rate list, the label and four buttons.
    EXPECT_EQ(checked_, 12);
    EXPECT_EQ(captions_, 8) << "three check boxes, the label and four buttons";
}

// The health window is sized from the same font: its labels, table and buttons fit
// at every density too.
TEST_F(LayoutFits, TheHealthWindowFitsItsFont) {
    Open();
    Form().OnFilterHealth();
    Pump();
    ASSERT_NE(window_->Health(), nullptr);
    CheckChildrenOf(window_->Health()->Handle());
    // Two labels, the table and its header, three buttons.
    EXPECT_EQ(checked_, 7);
    EXPECT_EQ(captions_, 5);
}

TEST_F(LayoutFits, FindsACaptionThatRunsIntoItsNeighbour) {
    Open();
    HWND filter = Handle(*Form().cbFilter);
    ASSERT_TRUE(IsCheckBox(filter));
    ::SetWindowTextA(filter, "Filter On Device, and much more text than fits");
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        CheckChildrenOf(Main());
    }
    // The caption is too wide, and its drawn part runs under the rate list.
    EXPECT_GE(failures.size(), 2);
}

}  // namespace
}  // namespace gui_test
