// The raw-input path on the simulated machine: the rate a collection delivers
// through the whole loop of filter, rate and restart, and reports mapped to rows,
// with other devices' reports interleaved and devices that left.
#include <gtest/gtest.h>

#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "restart/Restart.h"
#include "device/DeviceList.h"
#include "input/CollectionRows.h"
#include "input/InterfaceName.h"
#include "input/RateStats.h"
#include "input/RawInputReader.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachine.h"

namespace {

const std::string kTestMouse = "USB\\VID_046D&PID_C08B\\5&1";
const std::string kMouseCollection = "HID\\VID_046D&PID_C08B\\6&abc&0&0000";
const std::string kComposite = "USB\\VID_1A2C&PID_4C5E\\5&2";
const std::string kKeysInterface = "USB\\VID_1A2C&PID_4C5E&MI_01\\6&9";
const std::string kKeysCollection = "HID\\VID_1A2C&PID_4C5E&MI_01\\7&9&0&0000";
const std::string kOther = "HID\\VID_845E&PID_0001\\0&0000&0&0";  // listed nowhere

struct PathTest : ::testing::Test {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    input::RawInputReader reader;
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

    static sim::DeviceSpec Plan(const std::string& id, const GUID& cls) {
        sim::DeviceSpec plan;
        plan.instanceId = id;
        plan.classGuid = cls;
        plan.description = "USB Input Device";
        plan.hardwareIds = {id.substr(0, id.rfind('\\'))};
        plan.driverKey = sim::RegKeyValues{};
        return plan;
    }

    PathTest() {
        const DEVINST root = machine.AddDevice(Plan("USB\\ROOT_HUB30\\4&1", sim::kClassUsb));
        const DEVINST mouse = machine.AddDevice(Plan(kTestMouse, sim::kClassHid), root);
        machine.AddDevice(Plan(kMouseCollection, sim::kClassMouse), mouse);
        const DEVINST composite = machine.AddDevice(Plan(kComposite, sim::kClassUsb), root);
        const DEVINST keys = machine.AddDevice(Plan(kKeysInterface, sim::kClassHid), composite);
        machine.AddDevice(Plan(kKeysCollection, sim::kClassKeyboard), keys);
        machine.AddDevice(Plan(kOther, sim::kClassMouse));
        sim::SetDescriptorInterval(machine, kMouseCollection, 8.0);
        EXPECT_TRUE(input::RegisterRawInput(window));
    }

    // Moves the collection for a second and measures what arrives from it.
    double MeasuredHz(const std::string& collection) {
        input::RateStats stats(input::CounterFrequency());
        sim::Move(machine, collection, 1000);
        const std::string wanted = base::UpperAscii(collection);
        while (const auto delivery = sim::DeliverNext(machine)) {
            const auto report = reader.Read(delivery->input, delivery->code);
            if (report && report->collectionId == wanted) {
                stats.Add(report->time);
            }
        }
        return stats.Figures(input::CounterNow()).runHz;
    }

    device::TDevice& Listed(device::TDeviceList& list, const std::string& id) {
        for (int i = 0; i < list.Count(); ++i) {
            if (list.GetDevice(i).GetInstanceId() == id) {
                return list.GetDevice(i);
            }
        }
        throw std::out_of_range(id);
    }
};

}  // namespace

TEST_F(PathTest, TheRateFollowsFilterStoredRateAndRestart) {
    EXPECT_NEAR(MeasuredHz(kMouseCollection), 125, 3);
    {
        device::TDeviceList list(false, false);
        config::SetFilter(Listed(list, kTestMouse), true);
        config::WriteRateIndex(Listed(list, kTestMouse), 1);  // 1000
    }
    // Stored but not yet restarted: the device still polls at its own rate.
    EXPECT_NEAR(MeasuredHz(kMouseCollection), 125, 3);
    {
        device::TDeviceList list(false, false);
        restart::RestartDevice(Listed(list, kTestMouse));
    }
    EXPECT_NEAR(MeasuredHz(kMouseCollection), 1000, 25);
    {
        device::TDeviceList list(false, false);
        config::SetFilter(Listed(list, kTestMouse), false);
        restart::RestartDevice(Listed(list, kTestMouse));
    }
    EXPECT_NEAR(MeasuredHz(kMouseCollection), 125, 3);
}

TEST_F(PathTest, ARateStoredWithoutTheFilterChangesNothing) {
    machine.Key(kTestMouse, DIREG_DRV)["bInterval"] = {REG_DWORD, std::string("\x02\0\0\0", 4)};
    machine.Restart(kTestMouse);
    EXPECT_NEAR(MeasuredHz(kMouseCollection), 125, 3);
}

TEST_F(PathTest, ReportsMapToTheirRowsWhateverElseIsMoving) {
    device::TDeviceList list(false, false);
    input::CollectionRows rows(list);
    ASSERT_EQ(list.Count(), 2);  // the mouse and the keyboard interface
    sim::Move(machine, kMouseCollection, 200);
    sim::Move(machine, kKeysCollection, 200);
    sim::Move(machine, kOther, 200);
    std::map<int, int> perRow;
    int reports = 0;
    while (const auto delivery = sim::DeliverNext(machine)) {
        EXPECT_EQ(delivery->target, window);
        const auto report = reader.Read(delivery->input, delivery->code);
        ASSERT_TRUE(report);
        ++perRow[rows.RowOf(report->collectionId)];
        ++reports;
    }
    EXPECT_NEAR(perRow[0], 25, 1);  // 200 ms at about 8 ms
    EXPECT_NEAR(perRow[1], 25, 1);
    EXPECT_NEAR(perRow[-1], 25, 1);  // the unlisted device's
    EXPECT_EQ(reports, perRow[0] + perRow[1] + perRow[-1]);
    EXPECT_EQ(rows.CollectionsOf(0), std::vector<std::string>{base::UpperAscii(kMouseCollection)});
}

TEST_F(PathTest, ACompositeRowOwnsItsInterfacesCollections) {
    device::TDeviceList list(false, true);  // every USB device: the composite device is listed too
    input::CollectionRows rows(list);
    int composite = -1;
    int interface = -1;
    for (int i = 0; i < list.Count(); ++i) {
        composite = list.GetDevice(i).GetInstanceId() == kComposite ? i : composite;
        interface = list.GetDevice(i).GetInstanceId() == kKeysInterface ? i : interface;
    }
    ASSERT_GE(composite, 0);
    // The interface is listed itself, so its collection is its row, not the composite's.
    EXPECT_EQ(rows.RowOf(base::UpperAscii(kKeysCollection)), interface);
    EXPECT_EQ(rows.RowOf(base::UpperAscii(kKeysInterface)), composite);
}

TEST_F(PathTest, ADeviceThatLeftMapsNowhere) {
    device::TDeviceList list(false, false);
    sim::Move(machine, kMouseCollection, 20);
    const auto first = sim::DeliverNext(machine);
    ASSERT_TRUE(first);
    const auto before = reader.Read(first->input, first->code);
    ASSERT_TRUE(before);
    machine.Unplug(kTestMouse);
    // Its waiting reports are dropped, and a fresh list has no row for it.
    EXPECT_FALSE(sim::DeliverNext(machine));
    input::CollectionRows rows(list);
    device::TDeviceList after(false, false);
    EXPECT_EQ(input::CollectionRows(after).RowOf(before->collectionId), -1);
}

TEST_F(PathTest, AnUnknownHandleOrAStaleReportReadsNothing) {
    sim::Move(machine, kMouseCollection, 20);
    const auto first = sim::DeliverNext(machine);
    const auto second = sim::DeliverNext(machine);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(reader.Read(first->input, first->code));  // valid only while it is handled
    EXPECT_TRUE(reader.Read(second->input, second->code));
}

TEST_F(PathTest, UnregisteredUsagesAreNotDelivered) {
    input::UnregisterRawInput();
    sim::Move(machine, kMouseCollection, 20);
    EXPECT_FALSE(sim::DeliverNext(machine));
    EXPECT_TRUE(sim::Registrations(machine).empty());
}
