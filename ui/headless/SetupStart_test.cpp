// Start-up: the "/ALL" mode, the window at each density, and Copy IDs through the
// clipboard.
#include <gtest/gtest.h>

#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/SetupTestMachine.h"

using headless::HeadlessWindow;
using headless::WindowOptions;
using namespace setup_test;

namespace {

WindowOptions At(int ppi, std::optional<int> textHeight = std::nullopt) {
    WindowOptions options;
    options.pixelsPerInch = ppi;
    options.textHeight = textHeight;
    return options;
}

TEST(SetupStart, NormalModeAt96Dpi) {
    SetupMachine m;
    HeadlessWindow w;
    ui::TfrmSetup& form = w.Form();
    EXPECT_FALSE(form.AllDevicesMode);
    EXPECT_EQ(form.Caption(), "Kordane Setup");
    EXPECT_EQ(w.App().Title, "QUORVIN Setup");
    EXPECT_EQ(w.App().HintHidePause, 10000);
    EXPECT_EQ(w.OuterWidth(), 963);
    EXPECT_EQ(w.OuterHeight(), 345);
    EXPECT_EQ(form.dgDevices->DefaultRowHeight(), 21);
    EXPECT_EQ(form.dgDevices->BoundsRect(), gui::BoundsRect(0, 38, 955, 242));
    EXPECT_EQ(form.cbRate->Items(),
              (std::vector<std::string>{"Default", "1000", "500", "250", "125", "62", "31"}));
    EXPECT_EQ(form.cbRate->ItemIndex(), 0);  // the first device's rate
    EXPECT_TRUE(form.pnlHEAD->Showing() && form.cbMouseOnly->Enabled());
    EXPECT_TRUE(w.Centred());
}

TEST(SetupStart, AllDevicesModeHidesTheTopPanelAndListsEveryUsbDeviceButHubs) {
    SetupMachine m;
    for (const char* line : {"q.exe /all", "q.exe \"/ALL\"", "\"my q.exe\" /AlL"}) {
        WindowOptions options;
        options.commandLine = line;
        HeadlessWindow w(options);
        ui::TfrmSetup& form = w.Form();
        EXPECT_TRUE(form.AllDevicesMode) << line;
        EXPECT_FALSE(form.pnlHEAD->Visible());
        EXPECT_FALSE(form.cbMouseOnly->Enabled());
        EXPECT_FALSE(form.cbParent->Enabled());
        EXPECT_EQ(form.dgDevices->Top(), 0);
        EXPECT_EQ(form.dgDevices->Height(), 280);
        EXPECT_EQ(form.DeviceList->Count(), 4);  // composite, Mouse A, Keys B, Mouse M; no hubs
    }
}

TEST(SetupStart, OtherArgumentsKeepTheNormalMode) {
    SetupMachine m;
    for (const char* line : {"q.exe x /ALL", "q.exe ALL", "q.exe -ALL", "q.exe /ALLDEVICES"}) {
        WindowOptions options;
        options.commandLine = line;
        HeadlessWindow w(options);
        EXPECT_FALSE(w.Form().AllDevicesMode) << line;
        EXPECT_TRUE(w.Form().pnlHEAD->Visible());
    }
}

TEST(SetupStart, At120DpiTheRowsAndTheClientHeightGrow) {
    SetupMachine m;
    HeadlessWindow w(At(120));
    EXPECT_EQ(w.Form().dgDevices->DefaultRowHeight(), 26);
    EXPECT_EQ(w.Form().ClientHeight(), 397);
    EXPECT_EQ(w.Form().ClientWidth(), 955);  // 800 + 118 + 32 = 950 fits
    EXPECT_EQ(w.Form().Font().Height, 14);
    EXPECT_EQ(w.Form().dgDevices->ColWidth(2), 350);
}

TEST(SetupStart, At144DpiTheWidthCheckWidensTheWindowToTheCloseButtonsEdgePlusItsHeight) {
    SetupMachine m;
    HeadlessWindow w(At(144, 20));
    ui::TfrmSetup& form = w.Form();
    EXPECT_EQ(form.dgDevices->DefaultRowHeight(), 31);
    EXPECT_EQ(form.ClientHeight(), 477);
    EXPECT_EQ(form.BitBtn_Close->BoundsRect(), (gui::TRect{942, 12, 1080, 49}));
    EXPECT_EQ(form.ClientWidth(), 942 + 138 + 37);
    EXPECT_EQ(form.PanelFutt->Height(), 58);  // docked panels keep their places
    EXPECT_EQ(form.PanelFutt->Top(), 477 - 58);
}

TEST(SetupStart, AtOrBelow96DpiNothingChangesAtShowTime) {
    SetupMachine m;
    HeadlessWindow w(At(72, 9));
    EXPECT_EQ(w.Form().dgDevices->DefaultRowHeight(), 21);
    EXPECT_EQ(w.Form().ClientHeight(), 318);
    EXPECT_EQ(w.Form().ClientWidth(), 955);
}

TEST(SetupStart, AFailingFirstBuildIsReportedAndTheWindowStillOpens) {
    SetupMachine m;
    m.machine.AddFault({"SetupDiCreateDeviceInfoList", 1});
    HeadlessWindow w;
    ASSERT_EQ(w.Desktop().MessageBoxes().size(), 1u);
    EXPECT_EQ(w.Desktop().MessageBoxes()[0].text, "SetupDiCreateDeviceInfoList.");
    EXPECT_TRUE(w.Centred());
    EXPECT_EQ(w.Form().DeviceList, nullptr);
    EXPECT_FALSE(w.Form().btnCopyID->Enabled());
    w.SendDeviceChange();
    EXPECT_EQ(w.Form().DeviceList->Count(), 4);
}

struct CopyIds : ::testing::Test {
    SetupMachine m;
    HeadlessWindow w;
    headless::HeadlessClipboard& clipboard = w.Desktop().clipboard;
};

TEST_F(CopyIds, PutsQuotedLinesOnTheClipboardWithTheExactCalls) {
    w.Form().dgDevices->SelectCellByUser(0, 3);
    w.Form().btnCopyID->UserClick();
    const std::string expected = "\"" + kHidM + "\"\r\n\"USB\\VID_3333&PID_4444&REV_0100\"\r\n" +
                                 "\"USB\\VID_3333&PID_4444\"\r\n";
    EXPECT_EQ(clipboard.TextBlock(), expected + '\0');
    EXPECT_EQ(clipboard.Calls(),
              (std::vector<std::string>{
                  "OpenClipboard owner=0x1010", "EmptyClipboard",
                  "GlobalAlloc flags=0x2002 bytes=" + std::to_string(expected.size() + 1),
                  "GlobalLock", "GlobalUnlock", "SetClipboardData format=1", "CloseClipboard"}));
    EXPECT_EQ(clipboard.LeakedBlocks(), 0u);
}

TEST_F(CopyIds, WithProcessParentTheParentsIdsAreCopied) {
    w.Form().cbParent->UserClick();
    w.Form().btnCopyID->UserClick();
    EXPECT_EQ(clipboard.TextBlock()->substr(0, kComposite.size() + 1), "\"" + kComposite);
}

TEST_F(CopyIds, AnInstanceIdThatCannotBeReadGivesTwoQuotes) {
    m.machine.RemoveProperty(kHidA, SPDRP_HARDWAREID);
    m.machine.AddFault({"SetupDiGetDeviceInstanceIdA"});
    w.Form().btnCopyID->UserClick();
    EXPECT_EQ(clipboard.TextBlock(), std::string("\"\"\r\n\0", 5));
}

TEST_F(CopyIds, AClipboardThatCannotBeOpenedIsReportedAndLeftAlone) {
    clipboard.Preset("before");
    clipboard.openFails = true;
    w.Form().btnCopyID->UserClick();
    ASSERT_EQ(w.Desktop().MessageBoxes().size(), 1u);
    EXPECT_EQ(w.Desktop().MessageBoxes()[0].text, "Cannot open clipboard.");
    EXPECT_EQ(clipboard.TextBlock(), std::string("before\0", 7));
    EXPECT_EQ(clipboard.Calls(), std::vector<std::string>{"OpenClipboard owner=0x1010"});
}

}  // namespace
