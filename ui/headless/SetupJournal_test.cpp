// The undo journal through the window: the filter and rate commands record before they
// write, and the grid's context menu takes changes back, in this run or a later one.
#include <gtest/gtest.h>

#include "platform/sim/SimDisk.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using namespace setup_test;

namespace {

struct JournalWindowTest : ::testing::Test {
    SetupMachine m;
    std::unique_ptr<HeadlessWindow> w = std::make_unique<HeadlessWindow>();

    ui::TfrmSetup& Form() { return w->Form(); }
    void SelectRow(int row) { Form().dgDevices->SelectCellByUser(0, row); }
    std::string LastBox() { return w->Desktop().MessageBoxes().back().text; }
};

TEST_F(JournalWindowTest, UndoesFilterAndRateChangesNewestFirstKeepingOtherEntries) {
    m.machine.SetProperty(kHidM, SPDRP_LOWERFILTERS, REG_MULTI_SZ, std::string("mfltx\0\0", 7));
    SelectRow(3);  // Mouse M: no hub, parent hub, so no question
    Form().cbFilter->UserClick();
    ASSERT_EQ(m.LowerFilters(kHidM), std::string("quorvin\0mfltx\0\0", 15));
    Form().cbRate->UserSelect(1);
    ASSERT_EQ(m.StoredInterval(kHidM), Dword(1));
    EXPECT_NE(m.machine.disk().Get(kJournal).content.find("after = 1"), std::string::npos);

    ASSERT_TRUE(w->ChooseGridMenuItem("Undo last change"));
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(4));
    EXPECT_EQ(m.LowerFilters(kHidM), std::string("quorvin\0mfltx\0\0", 15));
    EXPECT_NE(LastBox().find("Undone: the polling rate of " + kHidM), std::string::npos);
    EXPECT_EQ(Form().cbRate->ItemIndex(), 3);  // the controls show it at once

    ASSERT_TRUE(w->ChooseGridMenuItem("Undo last change"));
    EXPECT_EQ(m.LowerFilters(kHidM), std::string("mfltx\0\0", 7));
    EXPECT_FALSE(Form().cbFilter->Checked());
    ASSERT_TRUE(w->ChooseGridMenuItem("Undo last change"));
    EXPECT_EQ(LastBox(), "There is no change to undo.");
}

TEST_F(JournalWindowTest, RestoresAllInALaterRunAndLeavesWhatSomethingElseChanged) {
    SelectRow(3);
    Form().cbFilter->UserClick();  // filter off: the list goes
    Form().cbRate->UserSelect(6);
    SelectRow(1);
    w->Desktop().QueueAnswer(IDYES);
    Form().cbFilter->UserClick();  // Mouse A gains the filter
    ASSERT_EQ(m.LowerFilters(kHidA), std::string("quorvin\0\0", 9));

    w = std::make_unique<HeadlessWindow>();                                // the program runs again
    m.machine.Key(kHidM, DIREG_DRV)["bInterval"] = {REG_DWORD, Dword(2)};  // another tool
    w->Desktop().QueueAnswer(IDYES);
    ASSERT_TRUE(w->ChooseGridMenuItem("Restore all changes"));
    EXPECT_EQ(m.LowerFilters(kHidA), "<none>");
    EXPECT_EQ(m.LowerFilters(kHidM), std::string("quorvin\0\0", 9));
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(2));
    EXPECT_NE(LastBox().find("2 change(s) undone."), std::string::npos) << LastBox();
    EXPECT_NE(LastBox().find("something else has changed it since"), std::string::npos);
    EXPECT_NE(m.machine.disk().Get(kJournal).content.find("setting rate"), std::string::npos);
}

TEST_F(JournalWindowTest, AJournalThatCannotBeUsedAsksFirstAndNoLeavesTheDeviceAsItWas) {
    const std::string adminOnly = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    m.machine.disk().AddFolder(sim::kProgramData + "\\QUORVIN Setup", "BA", adminOnly);
    m.machine.disk().AddFile(kJournal, "QUORVIN Setup undo journal 1\r\nchange\r\n", "BA",
                             adminOnly);
    SelectRow(3);
    w->Desktop().QueueAnswer(IDNO);
    Form().cbFilter->UserClick();
    EXPECT_NE(LastBox().find("damaged (line 3"), std::string::npos) << LastBox();
    EXPECT_EQ(m.LowerFilters(kHidM), std::string("quorvin\0\0", 9));
    EXPECT_TRUE(Form().cbFilter->Checked());  // the box shows the list again

    w->Desktop().QueueAnswer(IDYES);
    Form().cbRate->UserSelect(2);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(2));  // made anyway, as the user chose

    ASSERT_TRUE(w->ChooseGridMenuItem("Undo last change"));
    EXPECT_NE(LastBox().find("damaged"), std::string::npos);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(2));
}

// A system drive without access lists (FAT32) can hold no safe journal: the window says
// so once and makes every change without asking about it.
TEST_F(JournalWindowTest, ADriveWithoutAccessListsIsToldOnceNotAskedAtEveryChange) {
    m.machine.disk().fileSystemName = "FAT32";
    m.machine.disk().fileSystemFlags = 0x00000006;  // case-preserved names, Unicode names
    SelectRow(3);
    Form().cbFilter->UserClick();
    Form().cbRate->UserSelect(1);
    Form().cbRate->UserSelect(2);
    ASSERT_EQ(w->Desktop().MessageBoxes().size(), 1u);
    EXPECT_NE(LastBox().find("FAT32"), std::string::npos) << LastBox();
    EXPECT_EQ(LastBox().find("anyway"), std::string::npos);
    EXPECT_EQ(m.StoredInterval(kHidM), Dword(2));
    EXPECT_FALSE(m.machine.disk().Exists(sim::kProgramData + "\\QUORVIN Setup"));
    ASSERT_TRUE(w->ChooseGridMenuItem("Undo last change"));
    EXPECT_NE(LastBox().find("No undo journal is kept"), std::string::npos) << LastBox();
}

}  // namespace
