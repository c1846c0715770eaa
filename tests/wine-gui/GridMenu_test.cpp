// The grid's context menu as the user meets it: opened on the real grid, an item
// chosen by its access key in the real popup menu. "Undo last change" puts a change
// back; "Filter health..." opens the health window, which lists the demo's game pad
// as one to repair and repairs it.
#include <windows.h>

#include <string>

#include "GuiFixture.h"
#include "HealthRows.h"
#include "health/FilterHealth.h"
#include "ui/HealthView.h"

namespace gui_test {

namespace {

const std::string kGamePad = "USB\\VID_046D&PID_C21D\\5&2D7E1F3&0&3";

char menuKey = 0;

// Runs inside the popup menu's own message loop: types the item's access key.
void CALLBACK TypeMenuKey(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (const HWND menu = ::FindWindowA("#32768", nullptr)) {
        ::PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(menuKey), 0);
    }
}

class GridMenuTest : public GuiTest {
  protected:
    // Opens the context menu from the keyboard (as Shift+F10 does) and chooses the
    // item whose access key this is.
    void ChooseFromGridMenu(char key) {
        menuKey = key;
        ASSERT_NE(::SetTimer(nullptr, 0, 100, TypeMenuKey), 0u);
        ::SendMessageA(Grid(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Grid()), -1);
        Pump();
    }
    std::string Filters(const std::string& id) {
        const auto value = machine_.Property(id, SPDRP_LOWERFILTERS);
        return value ? value->data : "<none>";
    }
};

}  // namespace

TEST_F(GridMenuTest, UndoLastChangeFromTheMenuPutsTheFilterBack) {
    Open();
    SelectDevice(kPlainMouse);  // it carries the filter
    const std::string before = Filters(kPlainMouse);
    Click(*Form().cbFilter);
    ASSERT_EQ(Filters(kPlainMouse), "<none>");

    ChooseFromGridMenu('u');
    EXPECT_EQ(Filters(kPlainMouse), before);
    ASSERT_FALSE(boxes_.Shown().empty());
    EXPECT_NE(boxes_.Shown().back().text.find("Undone: the lower filters of " + kPlainMouse),
              std::string::npos)
        << boxes_.Shown().back().text;
    EXPECT_TRUE(Checked(*Form().cbFilter)) << "the controls show it at once";
}

TEST_F(GridMenuTest, TheHealthWindowListsTheGamePadAndRepairsIt) {
    Open();
    ChooseFromGridMenu('h');
    win32::HealthWindow* health = window_->Health();
    ASSERT_NE(health, nullptr);
    EXPECT_TRUE(::IsWindowVisible(health->Handle()));
    EXPECT_EQ(WindowText(health->Handle()), "Filter health");
    const std::vector<std::vector<std::string>> rows = ListViewRows(health->List());
    const std::vector<ui::HealthRow> expected = ui::HealthRows(health::ReadFilterHealth());
    ASSERT_EQ(rows.size(), expected.size());
    int toRepair = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i],
                  std::vector<std::string>(expected[i].cells.begin(), expected[i].cells.end()));
        if (expected[i].broken) {
            ++toRepair;
            EXPECT_EQ(rows[i][1], "USB Game Pad");
            EXPECT_NE(rows[i][2].find("problem 39"), std::string::npos) << rows[i][2];
            EXPECT_EQ(rows[i][3], kGamePad);
        }
    }
    EXPECT_EQ(toRepair, 1);
    EXPECT_TRUE(::IsWindowEnabled(health->RepairButton()));

    boxes_.Queue(IDYES);
    ::SendMessageA(health->RepairButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Filters(kGamePad), "<none>");
    ASSERT_GE(boxes_.Shown().size(), 2u);
    EXPECT_NE(boxes_.Shown().back().text.find("the device works again"), std::string::npos)
        << boxes_.Shown().back().text;
    EXPECT_FALSE(::IsWindowEnabled(health->RepairButton())) << "listed afresh";

    // Asked for again, the one window comes forward.
    ChooseFromGridMenu('h');
    EXPECT_EQ(window_->Health(), health);
}

}  // namespace gui_test
