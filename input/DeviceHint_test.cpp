// The hint's parts: IDs from odd hardware IDs, the reported name through the
// late-bound reader, and the dash in code pages with and without one.
#include "input/DeviceHint.h"

#include <gtest/gtest.h>

#include "device/DeviceList.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachine.h"

using input::UsbIdsOf;

namespace {

std::string Ids(std::initializer_list<const char*> ids) {
    std::string text;
    for (const char* id : ids) {
        text += id;
        text += '\0';
    }
    return text;
}

std::string Show(const std::optional<input::UsbIds>& ids) {
    return ids ? ids->vid + "/" + ids->pid : "none";
}

}  // namespace

TEST(DeviceHint, IdsComeFromTheFirstHardwareIdThatHasThem) {
    EXPECT_EQ(Show(UsbIdsOf(Ids({"USB\\VID_046D&PID_C08B&REV_2702", "USB\\VID_046D&PID_C08B"}))),
              "046D/C08B");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"usb\\vid_046d&pid_c08b"}))), "046D/C08B");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"HID_DEVICE", "USB\\VID_1A2C&PID_4C5E&MI_00"}))), "1A2C/4C5E");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"USB\\VID_046D"}))), "046D/");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"USB\\VID_046D&PID_C0"}))), "046D/");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"USB\\VID_04", "USB\\VID_046D0&PID_1234"}))), "none");
    EXPECT_EQ(Show(UsbIdsOf(Ids({"ACPI\\PNP0F13", "*PNP0F13"}))), "none");
    EXPECT_EQ(Show(UsbIdsOf("")), "none");
    EXPECT_EQ(Show(UsbIdsOf("USB\\VID_12G4&PID_0001")), "none");
}

TEST(DeviceHint, TextSaysWhatIsMissingBriefly) {
    const input::UsbIds ids{"046D", "C08B"};
    EXPECT_EQ(input::HintText(std::string("Gaming Mouse"), ids, " - "),
              "Gaming Mouse - VID 046D, PID C08B");
    EXPECT_EQ(input::HintText(std::nullopt, ids, " - "), "No name reported - VID 046D, PID C08B");
    EXPECT_EQ(input::HintText(std::string("Gaming Mouse"), input::UsbIds{"046D", ""}, " - "),
              "Gaming Mouse - VID 046D");
    EXPECT_EQ(input::HintText(std::nullopt, std::nullopt, " - "),
              "No name reported - no VID or PID");
}

namespace {

struct HintMachine : ::testing::Test {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    const std::string named = "USB\\VID_046D&PID_C08B\\5&1";
    const std::string nameless = "USB\\VID_0E8F&PID_0021\\5&2";

    HintMachine() {
        for (const std::string& id : {named, nameless}) {
            sim::DeviceSpec plan;
            plan.instanceId = id;
            plan.classGuid = sim::kClassHid;
            plan.hardwareIds = {id.substr(0, id.rfind('\\'))};
            machine.AddDevice(plan);
        }
        // "Gaming Mouse ™ é", with characters only some code pages have.
        sim::SetBusReportedName(machine, named, u"Gaming Mouse \u2122 \u00e9 \u4e2d  ");
    }

    std::string Hint(int row) {
        device::TDeviceList list(false, false);
        return input::DeviceHint(list.GetDevice(row));
    }
};

}  // namespace

TEST_F(HintMachine, TheReportedNameInTheAnsiCodePage) {
    EXPECT_EQ(Hint(0), "Gaming Mouse \x99 \xE9 ? \x97 VID 046D, PID C08B");
    EXPECT_EQ(Hint(1), "No name reported \x97 VID 0E8F, PID 0021");
    sim::SetAnsiCodePage(machine, 20127);
    EXPECT_EQ(Hint(0), "Gaming Mouse ? ? ? - VID 046D, PID C08B");
}

TEST_F(HintMachine, WithoutThePropertyReaderTheHintStillHasTheIds) {
    sim::SetDevicePropertyReaderPresent(machine, false);
    EXPECT_EQ(Hint(0), "No name reported \x97 VID 046D, PID C08B");
    EXPECT_EQ(machine.CountCalls("SetupDiGetDevicePropertyW"), 0u);
    EXPECT_EQ(machine.CallsOf("GetProcAddress").back().args,
              "module=0x77900000 name=SetupDiGetDevicePropertyW");
}

// The demo machine's devices report names as most devices do since Windows 7; one
// keeps the fallback in view.
TEST(DeviceHint, TheDemoMachineNamesAllButOneOfItsHidDevices) {
    sim::Machine machine;
    sim::BuildDemoMachine(machine);
    sim::ScopedMachine use(machine);
    device::TDeviceList list(false, false);
    std::vector<std::string> nameless;
    for (int i = 0; i < list.Count(); ++i) {
        device::TDevice& device = list.GetDevice(i);
        const std::string hint = input::DeviceHint(device);
        if (hint.starts_with("No name reported")) {
            nameless.push_back(device.GetInstanceId());
        }
        if (device.GetInstanceId() == "USB\\VID_0E8F&PID_0021\\5&3B1D2A0&0&2") {
            EXPECT_EQ(hint, "USB Optical Mouse \x97 VID 0E8F, PID 0021");
        }
    }
    EXPECT_GT(list.Count(), 5);
    EXPECT_EQ(nameless, std::vector<std::string>{"USB\\VID_16C0&PID_05DF\\5&2D7E1F3&0&2"});
}
