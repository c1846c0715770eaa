// The small windows open by their owner and inside the work area, wherever the owner
// stands on it.
#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

namespace ui {

namespace {

const gui::TRect kWork{0, 0, 1920, 1040};  // a taskbar below

}  // namespace

TEST(WindowPlacement, BesideTheOwnerRightThenLeftThenAsFarAsItGoes) {
    const gui::TRect owner = gui::BoundsRect(400, 100, 955, 600);
    EXPECT_EQ(PlaceBeside(owner, 500, 400, kWork), gui::BoundsRect(1355, 100, 500, 400));
    const gui::TRect atRight = gui::BoundsRect(900, 100, 955, 600);
    EXPECT_EQ(PlaceBeside(atRight, 500, 400, kWork), gui::BoundsRect(400, 100, 500, 400));
    // Neither side has room: over the owner, its right edge on the work area's.
    const gui::TRect wide = gui::BoundsRect(200, 100, 1600, 600);
    EXPECT_EQ(PlaceBeside(wide, 500, 400, kWork), gui::BoundsRect(1420, 100, 500, 400));
    // An owner low on the screen: the window moves up into the work area.
    const gui::TRect low = gui::BoundsRect(100, 900, 600, 400);
    EXPECT_EQ(PlaceBeside(low, 500, 400, kWork), gui::BoundsRect(700, 640, 500, 400));
    // A second monitor left of the first: negative coordinates are nothing special.
    const gui::TRect left{-1280, 0, 0, 1024};
    EXPECT_EQ(PlaceBeside(gui::BoundsRect(-1000, 50, 955, 600), 500, 400, left),
              gui::BoundsRect(-500, 50, 500, 400));
    EXPECT_EQ(PlaceBeside(gui::BoundsRect(-1270, 50, 600, 600), 500, 400, left),
              gui::BoundsRect(-670, 50, 500, 400));
}

TEST(WindowPlacement, CentredOverTheOwnerAndKeptOnTheScreen) {
    const gui::TRect owner = gui::BoundsRect(400, 100, 955, 600);
    EXPECT_EQ(PlaceCentredOver(owner, 555, 300, kWork), gui::BoundsRect(600, 250, 555, 300));
    const gui::TRect offLeft = gui::BoundsRect(-300, -50, 400, 300);
    EXPECT_EQ(PlaceCentredOver(offLeft, 555, 300, kWork), gui::BoundsRect(0, 0, 555, 300));
    // Larger than the work area: its caption stays reachable.
    EXPECT_EQ(PlaceCentredOver(owner, 2500, 1200, kWork).Left, 0);
    EXPECT_EQ(PlaceCentredOver(owner, 2500, 1200, kWork).Top, 0);
}

}  // namespace ui
