// The context menu: which items run, what a failing handler leads to, captions.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/gui/PopupMenu.h"
#include "ui/headless/HeadlessDesktop.h"

namespace ui {

namespace {

struct PopupMenuTest : ::testing::Test {
    headless::HeadlessDesktop desktop;
    gui::TApplication app{desktop};
    gui::TPopupMenu menu{app};
    int runs = 0;
};

TEST_F(PopupMenuTest, ChoosesOnlyEnabledKnownItemsAfterThePopupHandler) {
    menu.Add("&Undo", [&](gui::TObject&) { ++runs; });
    menu.Add("&Later", [&](gui::TObject&) { runs += 10; });
    menu.OnPopup = [&](gui::TObject&) { menu.Find("Later")->Enabled = false; };

    ASSERT_TRUE(menu.UserPopup());
    menu.UserChoose(1);
    menu.UserChoose(2);
    EXPECT_EQ(runs, 0);
    menu.UserChoose(*menu.IndexOf("Undo"));
    EXPECT_EQ(runs, 1);
}

TEST_F(PopupMenuTest, FailingHandlersGoToTheErrorReportAndAFailedPopupShowsNothing) {
    app.Title = "T";
    menu.Add("Go", [](gui::TObject&) { throw std::runtime_error("broken"); });
    menu.UserChoose(0);
    ASSERT_EQ(desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop.MessageBoxes()[0].text, "broken.");

    menu.OnPopup = [](gui::TObject&) { throw std::runtime_error("no"); };
    EXPECT_FALSE(menu.UserPopup());
    EXPECT_EQ(desktop.MessageBoxes().size(), 2u);
}

TEST(PopupMenuCaption, DropsAccessKeyMarksAndKeepsDoubledAmpersands) {
    EXPECT_EQ(gui::PlainCaption("&Undo last change"), "Undo last change");
    EXPECT_EQ(gui::PlainCaption("Save && go&"), "Save & go&");
}

}  // namespace

}  // namespace ui
