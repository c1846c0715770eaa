// The application's error report: its text rule and that the loop goes on.
#include "ui/gui/ErrorReport.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/gui/Application.h"
#include "ui/headless/HeadlessDesktop.h"

namespace ui {

namespace {

TEST(ErrorReportText, PeriodOnlyAfterALastByteAboveThePeriod) {
    EXPECT_EQ(gui::ErrorReportText("SetupDiGetClassDevs"), "SetupDiGetClassDevs.");
    EXPECT_EQ(gui::ErrorReportText(""), "");
    EXPECT_EQ(gui::ErrorReportText("done."), "done.");
    EXPECT_EQ(gui::ErrorReportText("a-"), "a-");             // '-' sorts below '.'
    EXPECT_EQ(gui::ErrorReportText("a/"), "a/.");            // '/' sorts above
    EXPECT_EQ(gui::ErrorReportText("(5)"), "(5)");           // ')' below
    EXPECT_EQ(gui::ErrorReportText("caf\xE9"), "caf\xE9.");  // unsigned byte order
}

TEST(ErrorReport, OneBoxPerEscapedExceptionAndTheCallerGoesOn) {
    headless::HeadlessDesktop desktop;
    gui::TApplication app(desktop);
    app.Title = "QUORVIN Setup";
    int after = 0;
    app.Guard([] { throw std::runtime_error("List index out of bounds (3)"); });
    app.Guard([] { throw 42; });
    app.Guard([&] { ++after; });
    ASSERT_EQ(desktop.MessageBoxes().size(), 2u);
    EXPECT_EQ(desktop.MessageBoxes()[0].text, "List index out of bounds (3)");
    EXPECT_EQ(desktop.MessageBoxes()[0].caption, "QUORVIN Setup");
    EXPECT_EQ(desktop.MessageBoxes()[0].style, 0x10u);
    EXPECT_EQ(desktop.MessageBoxes()[0].owner, headless::ApplicationWindowHandle());
    EXPECT_EQ(after, 1);
}

}  // namespace

}  // namespace ui
