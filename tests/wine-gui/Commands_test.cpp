// The commands through real controls: the filter box with its questions answered
// on real message boxes, a device change while a question is open, the rate list
// by keyboard, Process Parent, Mice Only, Copy IDs on the real clipboard, the error
// report, and Esc, Enter and the frame's close command.
#include <cstdint>
#include <optional>

#include "GuiFixture.h"
#include "device/DeviceList.h"
#include "ui/Layout.h"

namespace gui_test {
namespace {

constexpr const char* kUsefulness =
    "Filter driver is probably useless for this device, continue setup?";
constexpr const char* kHub = "You try to setup filter driver for usb hub, are you sure?";

// The lower-filter list stored for a device, or nothing.
std::optional<std::string> Filters(const sim::Machine& machine, const std::string& id) {
    const auto value = machine.Property(id, SPDRP_LOWERFILTERS);
    return value ? std::optional<std::string>(value->data) : std::nullopt;
}

// The bInterval stored in a device's driver key, or -1.
std::int64_t Interval(sim::Machine& machine, const std::string& id) {
    auto& key = machine.Key(id, DIREG_DRV);
    const auto value = key.find("bInterval");
    if (value == key.end() || value->second.data.size() != 4) {
        return -1;
    }
    std::uint32_t result = 0;
    for (int i = 3; i >= 0; --i) {
        result = (result << 8) |
                 static_cast<unsigned char>(value->second.data[static_cast<std::size_t>(i)]);
    }
    return result;
}

TEST_F(GuiTest, FilterBoxAsksTheUsefulnessQuestionAndNoLeavesEverything) {
    Open();
    SelectDevice(kCompositeMouse);
    boxes_.Queue(IDNO);
    Click(*Form().cbFilter);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    const ShownBox& box = boxes_.Shown()[0];
    EXPECT_EQ(box.text, kUsefulness);
    EXPECT_EQ(box.caption, " Information");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.defaultButton, IDNO);
    EXPECT_TRUE(box.hasYesNo);
    // Without an owner the question leaves the main window working.
    EXPECT_TRUE(box.watchedWindowEnabled);
    EXPECT_FALSE(Checked(*Form().cbFilter));
    EXPECT_EQ(Filters(machine_, kCompositeMouse), std::nullopt);
}

TEST_F(GuiTest, FilterBoxYesAttachesAndUncheckingDetachesWithoutQuestions) {
    Open();
    SelectDevice(kCompositeMouse);
    boxes_.Queue(IDYES);
    Click(*Form().cbFilter);
    EXPECT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_TRUE(Checked(*Form().cbFilter));
    EXPECT_EQ(Filters(machine_, kCompositeMouse), std::string("quorvin\0\0", 9));

    Click(*Form().cbFilter);
    EXPECT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_FALSE(Checked(*Form().cbFilter));
    const auto after = Filters(machine_, kCompositeMouse);
    EXPECT_TRUE(!after || after->find("quorvin") == std::string::npos);
}

TEST_F(GuiTest, FilterOnAHubAsksBothQuestionsInTurn) {
    Open();
    Click(*Form().cbParent);
    SelectDevice(kPlainMouse);  // its parent is the root hub
    ASSERT_TRUE(Checked(*Form().cbParent));

    // The hub question, then "No" to the usefulness question (the root hub's parent
    // is the host controller, no hub): nothing written.
    boxes_.Queue(IDYES);
    boxes_.Queue(IDNO);
    Click(*Form().cbFilter);
    ASSERT_EQ(boxes_.Shown().size(), 2u);
    EXPECT_EQ(boxes_.Shown()[0].text, kHub);
    EXPECT_EQ(boxes_.Shown()[0].caption, " Warning !!!");
    EXPECT_EQ(boxes_.Shown()[0].defaultButton, IDNO);
    EXPECT_EQ(boxes_.Shown()[1].text, kUsefulness);
    EXPECT_FALSE(Checked(*Form().cbFilter));
    EXPECT_EQ(Filters(machine_, kRootHub), std::nullopt);

    // "No" to the hub question ends it there.
    boxes_.Queue(IDNO);
    Click(*Form().cbFilter);
    EXPECT_EQ(boxes_.Shown().size(), 3u);
    EXPECT_FALSE(Checked(*Form().cbFilter));

    boxes_.Queue(IDYES);
    boxes_.Queue(IDYES);
    Click(*Form().cbFilter);
    EXPECT_EQ(boxes_.Shown().size(), 5u);
    EXPECT_TRUE(Checked(*Form().cbFilter));
    EXPECT_EQ(Filters(machine_, kRootHub), std::string("quorvin\0\0", 9));
}

TEST_F(GuiTest, ADeviceChangeWhileAQuestionIsOpenWaitsForTheAnswer) {
    Open();
    SelectDevice(kCompositeMouse);
    const int rows = Form().dgDevices->RowCount();
    boxes_.Queue(IDYES, [&] {
        machine_.Unplug(kPlainMouse);
        ::PostMessageA(Main(), WM_DEVICECHANGE, 0x0007, 0);
    });
    Click(*Form().cbFilter);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    // The answer went to the device the command had resolved, and the list was
    // rebuilt afterwards without the unplugged mouse.
    EXPECT_EQ(Filters(machine_, kCompositeMouse), std::string("quorvin\0\0", 9));
    EXPECT_EQ(Form().dgDevices->RowCount(), rows - 1);
    EXPECT_TRUE(Checked(*Form().cbFilter));
}

TEST_F(GuiTest, DeviceChangeRebuildsAndAnswersZero) {
    Open();
    const int rows = Form().dgDevices->RowCount();
    machine_.Unplug(kPlainMouse);
    EXPECT_EQ(::SendMessageA(Main(), WM_DEVICECHANGE, 0x0007, 0), 0);
    EXPECT_EQ(Form().dgDevices->RowCount(), rows - 1);
    // A rebuild that fails says nothing.
    machine_.AddFault({"SetupDiGetClassDevsA"});
    EXPECT_EQ(::SendMessageA(Main(), WM_DEVICECHANGE, 0x0007, 0), 0);
    Pump();
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_FALSE(::IsWindowEnabled(Handle(*Form().cbFilter)));
}

TEST_F(GuiTest, RateListWritesEveryKeyboardStep) {
    Open();
    SelectDevice(kCompositeMouse);
    const HWND rate = Handle(*Form().cbRate);
    ::SetFocus(rate);
    Key(rate, VK_DOWN);
    EXPECT_EQ(ComboSelection(), 1);
    EXPECT_EQ(Interval(machine_, kCompositeMouse), 1);
    Key(rate, VK_DOWN);
    EXPECT_EQ(ComboSelection(), 2);
    EXPECT_EQ(Interval(machine_, kCompositeMouse), 2);
    Key(rate, VK_UP);
    Key(rate, VK_UP);
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(Interval(machine_, kCompositeMouse), -1) << "Default stores nothing";
    EXPECT_EQ(::GetFocus(), rate);

    // Steps in the dropped-down list write too; closing it with Esc leaves the list
    // showing what was written last.
    ::SendMessageA(rate, CB_SHOWDROPDOWN, TRUE, 0);
    Key(rate, VK_DOWN);
    Key(rate, VK_ESCAPE);
    EXPECT_FALSE(Form().Closed());
    EXPECT_EQ(ComboSelection(), Form().cbRate->ItemIndex());
    EXPECT_EQ(Interval(machine_, kCompositeMouse), Form().cbRate->ItemIndex() == 0 ? -1 : 1);
}

TEST_F(GuiTest, ProcessParentShowsAndActsOnTheParent) {
    machine_.Key(kComposite, DIREG_DRV)["bInterval"] = {REG_DWORD, std::string("\x08\0\0\0", 4)};
    Open();
    SelectDevice(kCompositeMouse);
    EXPECT_EQ(ComboSelection(), 0);
    Click(*Form().cbParent);
    EXPECT_TRUE(Checked(*Form().cbParent));
    EXPECT_EQ(ComboSelection(), 4) << "the composite device's rate, 125";
    // The rate now goes to the parent.
    ::SetFocus(Handle(*Form().cbRate));
    Key(Handle(*Form().cbRate), VK_DOWN);
    EXPECT_EQ(Interval(machine_, kComposite), 16);
    EXPECT_EQ(Interval(machine_, kCompositeMouse), -1);
    Click(*Form().cbParent);
    EXPECT_FALSE(Checked(*Form().cbParent));
    EXPECT_EQ(ComboSelection(), 0);
}

TEST_F(GuiTest, MiceOnlyTogglesBetweenTheTwoLists) {
    Open();
    Click(*Form().cbMouseOnly);
    EXPECT_FALSE(Checked(*Form().cbMouseOnly));
    EXPECT_EQ(Form().dgDevices->RowCount(), device::TDeviceList(false, false).Count() + 1);
    Click(*Form().cbMouseOnly);
    EXPECT_TRUE(Checked(*Form().cbMouseOnly));
    EXPECT_EQ(Form().dgDevices->RowCount(), device::TDeviceList(true, false).Count() + 1);
}

TEST_F(GuiTest, CopyIdsPutsTheQuotedLinesOnTheClipboard) {
    Open();
    SelectDevice(kCompositeMouse);
    Click(*Form().btnCopyID);
    EXPECT_EQ(ClipboardText(),
              "\"USB\\VID_1A2C&PID_4C5E&MI_00\\6&2C1F5D3&0&0000\"\r\n"
              "\"USB\\VID_1A2C&PID_4C5E&MI_00&REV_0100\"\r\n"
              "\"USB\\VID_1A2C&PID_4C5E&MI_00\"\r\n");
    // Enter on the focused button presses it; with "Process Parent" the parent's IDs.
    Click(*Form().cbParent);
    ::SetFocus(Handle(*Form().btnCopyID));
    Key(Handle(*Form().btnCopyID), VK_RETURN);
    EXPECT_EQ(ClipboardText(),
              "\"USB\\VID_1A2C&PID_4C5E\\5&3B1D2A0&0&1\"\r\n"
              "\"USB\\VID_1A2C&PID_4C5E&REV_0110\"\r\n"
              "\"USB\\VID_1A2C&PID_4C5E\"\r\n");
    EXPECT_TRUE(::IsWindowVisible(Main()));
}

TEST_F(GuiTest, ErrorReportIsOwnedByTheApplicationAndModalForIt) {
    Open();
    machine_.AddFault({"SetupDiGetClassDevsA"});
    Click(*Form().cbMouseOnly);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    const ShownBox& box = boxes_.Shown()[0];
    EXPECT_EQ(box.text, "SetupDiGetClassDevs.");
    EXPECT_EQ(box.caption, ui::layout::kWindow.applicationTitle);
    EXPECT_EQ(box.owner, application_.Handle());
    EXPECT_FALSE(box.watchedWindowEnabled);
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_TRUE(::IsWindowVisible(Main()));
    // A failed build is shown as an empty list.
    EXPECT_EQ(Form().dgDevices->RowCount(), 2);
    EXPECT_FALSE(::IsWindowEnabled(Handle(*Form().btnCopyID)));
}

TEST_F(GuiTest, EnterWithoutAFocusedButtonPressesNothing) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    Open();
    ::SetFocus(Grid());
    Key(Grid(), VK_RETURN);
    EXPECT_FALSE(Form().Closed());
    EXPECT_EQ(ClipboardText().find("VID_1A2C"), std::string::npos);
}

TEST_F(GuiTest, EscClosesTheWindowButFirstClosesADroppedList) {
    Open();
    const HWND rate = Handle(*Form().cbRate);
    ::SetFocus(rate);
    ::SendMessageA(rate, CB_SHOWDROPDOWN, TRUE, 0);
    Key(rate, VK_ESCAPE);
    EXPECT_FALSE(Form().Closed());
    EXPECT_EQ(::SendMessageA(rate, CB_GETDROPPEDSTATE, 0, 0), FALSE);

    ::SetFocus(Grid());
    Key(Grid(), VK_ESCAPE);
    EXPECT_TRUE(Form().Closed());
    EXPECT_TRUE(application_.App().Terminated());
    EXPECT_FALSE(::IsWindowVisible(Main()));
}

TEST_F(GuiTest, TheFrameCloseCommandClosesLikeClose) {
    Open();
    ::SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(Form().Closed());
    EXPECT_TRUE(application_.App().Terminated());
    EXPECT_TRUE(::IsWindow(Main())) << "destroyed with the program, not by closing";
}

}  // namespace
}  // namespace gui_test
