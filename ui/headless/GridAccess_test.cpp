// The device grid as a screen reader meets it: each row read as a sentence from the
// same reads as its cells, its states, where it lies, navigation and selection, an
// empty list and a failing read, and what the grid tells its realisation on a rebuild.
#include <gtest/gtest.h>

#include <vector>

#include "ui/gui/GridAccess.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

constexpr int kSelf = gui::GridAccess::kSelf;

struct GridAccessTest : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();
    gui::GridAccess access{*form.dgDevices};
};

// Records the grid's changes and passes them on to the realisation's own peer.
struct RecordingPeer : gui::ControlPeer {
    explicit RecordingPeer(gui::TControl& control) : control(control), next(control.Peer()) {
        control.SetPeer(this);
    }
    ~RecordingPeer() override { control.SetPeer(next); }
    void Changed(gui::TControl& changed, gui::ControlChange what) override {
        changes.push_back(what);
        if (next != nullptr) {
            next->Changed(changed, what);
        }
    }
    bool Saw(gui::ControlChange what) const {
        return std::find(changes.begin(), changes.end(), what) != changes.end();
    }
    gui::TControl& control;
    gui::ControlPeer* next;
    std::vector<gui::ControlChange> changes;
};

TEST_F(GridAccessTest, EachRowReadsAsASentenceFromItsCells) {
    EXPECT_EQ(access.ChildCount(), 4);
    EXPECT_EQ(access.Name(1),
              "Mouse A, parent USB Composite Device, children collection, mouse yes, filter no, "
              "rate Default");
    // The row whose parent is a hub, carrying the filter with a stored rate.
    EXPECT_EQ(access.Name(3),
              "Mouse M, parent USB Root Hub, children collection, mouse yes, filter yes, rate 250");
    EXPECT_EQ(access.Description(3),
              "Parent Name: USB Root Hub, Child Name(s): collection, Mouse?: Yes, Filter?: Yes, "
              "Rate: 250");
    EXPECT_EQ(access.Name(4).rfind("Hub H, parent USB Root Hub", 0), 0u);
    EXPECT_EQ(access.Name(kSelf), "");
    EXPECT_EQ(access.Name(5), "");

    // Nothing is kept: a change on the machine is heard at the next question.
    m.machine.Key(kHidM, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(1)};
    EXPECT_EQ(access.Name(3).substr(access.Name(3).rfind(", ")), ", rate 1000");
}

TEST_F(GridAccessTest, ProcessParentChangesOnlyWhatTheFilterAndRateColumnsSay) {
    m.machine.Key(kComposite, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(2)};
    form.cbParent->UserClick();
    EXPECT_EQ(access.Name(1),
              "Mouse A, parent USB Composite Device, children collection, mouse yes, filter no, "
              "rate 500");
    EXPECT_EQ(access.Description(1).substr(access.Description(1).rfind("Rate")), "Rate: 500");
}

TEST_F(GridAccessTest, AFailingReadGivesAnEmptyNameAndNoErrorReport) {
    // Mouse A's parent, the composite device, cannot be opened; the devices are
    // fresh, their parents not yet opened. With Process Parent the parent is the
    // device to process, so reading the row fails. The paints report it, as they
    // always have.
    m.machine.AddFault({"SetupDiOpenDeviceInfoA", 0, kComposite});
    w.SendDeviceChange();
    form.cbParent->UserClick();
    const std::size_t reports = w.Desktop().MessageBoxes().size();
    EXPECT_EQ(access.Name(1), "");
    EXPECT_EQ(access.Description(1), "");
    EXPECT_EQ(w.Desktop().MessageBoxes().size(), reports);
    // The other rows read on.
    EXPECT_EQ(access.Name(3).rfind("Mouse M, parent USB Root Hub", 0), 0u);
}

TEST_F(GridAccessTest, AnEmptyListHasNoChildrenAndNothingToSelect) {
    m.machine.Unplug(kRootHub);
    w.SendDeviceChange();
    ASSERT_NE(form.DeviceList, nullptr);
    EXPECT_EQ(form.dgDevices->RowCount(), 2);  // the blank row stays
    EXPECT_EQ(access.ChildCount(), 0);
    EXPECT_EQ(access.CurrentChild(), kSelf);
    EXPECT_EQ(access.Name(1), "");
    EXPECT_FALSE(access.ChildState(1).selected);
    EXPECT_EQ(access.Navigate(kSelf, gui::GridAccess::Direction::First), -1);
    EXPECT_FALSE(access.Select(1));
    const gui::TRect blank = form.dgDevices->CellRect(0, 1);
    EXPECT_EQ(access.ChildAt(blank.Left + 1, blank.Top + 1), kSelf);

    // A list that cannot be built reads the same.
    m.machine.AddFault({"SetupDiCreateDeviceInfoList"});
    w.SendDeviceChange();
    EXPECT_EQ(form.DeviceList, nullptr);
    EXPECT_EQ(access.ChildCount(), 0);
    EXPECT_EQ(access.Name(1), "");
}

TEST_F(GridAccessTest, StatesFollowTheCurrentRowAndTheFocus) {
    EXPECT_EQ(access.CurrentChild(), 1);
    auto state = access.ChildState(1);
    EXPECT_TRUE(state.selected);
    EXPECT_FALSE(state.focused);  // the grid has no focus yet
    EXPECT_TRUE(state.focusable);
    EXPECT_FALSE(state.offscreen);
    EXPECT_FALSE(access.ChildState(2).selected);

    form.dgDevices->SetFocused(true);
    EXPECT_TRUE(access.ChildState(1).focused);
    EXPECT_FALSE(access.ChildState(2).focused);

    form.dgDevices->SetEnabled(false);
    EXPECT_FALSE(access.ChildState(1).focusable);
}

TEST_F(GridAccessTest, SelectingAChildMovesTheCurrentRowThroughTheSelectHandler) {
    EXPECT_FALSE(form.cbFilter->Checked());
    ASSERT_TRUE(access.Select(3));
    EXPECT_EQ(form.dgDevices->Row(), 3);
    EXPECT_EQ(access.CurrentChild(), 3);
    EXPECT_TRUE(form.cbFilter->Checked());  // the controls show Mouse M, which has the filter
    EXPECT_EQ(form.cbRate->ItemIndex(), 3);

    EXPECT_FALSE(access.Select(kSelf));
    EXPECT_FALSE(access.Select(5));
    form.dgDevices->SetEnabled(false);
    EXPECT_FALSE(access.Select(1));
    EXPECT_EQ(form.dgDevices->Row(), 3);
}

TEST_F(GridAccessTest, LocationHitTestingAndNavigationAgreeWithTheCells) {
    const gui::TRect row3 = access.Location(3);
    const gui::TRect first = form.dgDevices->CellRect(0, 3);
    const gui::TRect last = form.dgDevices->CellRect(5, 3);
    EXPECT_EQ(row3.Left, first.Left);
    EXPECT_EQ(row3.Top, first.Top);
    EXPECT_EQ(row3.Bottom, first.Bottom);
    EXPECT_EQ(row3.Right, std::min(last.Right, form.dgDevices->ClientWidth()));
    EXPECT_EQ(access.ChildAt(row3.Left + 5, row3.Top + 2), 3);
    EXPECT_EQ(access.ChildAt(row3.Right - 2, row3.Bottom - 2), 3);
    EXPECT_EQ(access.ChildAt(5, 5), kSelf);  // the header
    EXPECT_EQ(access.ChildAt(-1, 5), -1);
    EXPECT_TRUE(access.Location(kSelf).Empty());

    using D = gui::GridAccess::Direction;
    EXPECT_EQ(access.Navigate(kSelf, D::First), 1);
    EXPECT_EQ(access.Navigate(kSelf, D::Last), 4);
    EXPECT_EQ(access.Navigate(1, D::Next), 2);
    EXPECT_EQ(access.Navigate(4, D::Next), -1);
    EXPECT_EQ(access.Navigate(1, D::Previous), -1);
    EXPECT_EQ(access.Navigate(3, D::Previous), 2);
    EXPECT_EQ(access.Navigate(2, D::First), -1);  // only the grid has a first child
}

TEST_F(GridAccessTest, ARowScrolledOutOfViewIsOffscreen) {
    form.dgDevices->SetClientArea(form.dgDevices->ClientWidth(),
                                  2 * (form.dgDevices->DefaultRowHeight() + 1));
    EXPECT_FALSE(access.ChildState(1).offscreen);
    EXPECT_TRUE(access.ChildState(4).offscreen);
    EXPECT_TRUE(access.Location(4).Empty());
}

TEST_F(GridAccessTest, ARebuildTellsTheRealisationWhetherTheCurrentRowChanged) {
    ASSERT_TRUE(access.Select(3));  // Mouse M
    {
        // Mouse M stays where it was: the rows are replaced, the current row is not.
        RecordingPeer peer(*form.dgDevices);
        w.SendDeviceChange();
        EXPECT_TRUE(peer.Saw(gui::ControlChange::Rows));
        EXPECT_FALSE(peer.Saw(gui::ControlChange::CurrentCell));
    }
    {
        // Mouse M goes: its row now stands for another device.
        RecordingPeer peer(*form.dgDevices);
        m.machine.Unplug(kHidM);
        w.SendDeviceChange();
        EXPECT_TRUE(peer.Saw(gui::ControlChange::Rows));
        EXPECT_TRUE(peer.Saw(gui::ControlChange::CurrentCell));
    }
}

}  // namespace
