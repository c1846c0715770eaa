// The health window's words: a row per device with its product name, the broken ones
// marked, and counts that read as English for one device and for several.
#include "ui/HealthView.h"

#include <gtest/gtest.h>

#include "health/FilterHealth.h"
#include "platform/Platform.h"

namespace ui {

namespace {

health::FilteredDevice Device(const std::string& id, const std::string& description,
                              const std::string& product, health::FilterCondition condition,
                              ULONG problem = 0) {
    health::FilteredDevice device;
    device.instanceId = id;
    device.description = description;
    device.productName = product;
    device.condition = condition;
    device.state.present = condition != health::FilterCondition::NotPresent;
    device.state.problem = problem;
    return device;
}

health::FilterHealth Health(std::vector<health::FilteredDevice> devices) {
    health::FilterHealth health;
    health.listed = true;
    health.driver.asked = health.driver.known = health.driver.installed = true;
    health.devices = std::move(devices);
    return health;
}

}  // namespace

TEST(HealthView, RowsNameTheDeviceItsProductAndItsStateAndMarkTheBrokenOnes) {
    const health::FilterHealth health =
        Health({Device("USB\\VID_046D&PID_C21D\\5&1", "USB Input Device", "USB Game Pad",
                       health::FilterCondition::Problem, CM_PROB_DRIVER_FAILED_LOAD),
                Device("USB\\VID_0E8F&PID_0021\\5&2", "USB Input Device", "",
                       health::FilterCondition::Working),
                Device("USB\\VID_2F1B&PID_0B22\\5&3", "", "Wireless Mouse",
                       health::FilterCondition::NotPresent)});
    const std::vector<HealthRow> rows = HealthRows(health);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].broken);
    EXPECT_EQ(rows[0].cells[0], "USB Input Device");
    EXPECT_EQ(rows[0].cells[1], "USB Game Pad");
    EXPECT_EQ(rows[0].cells[2].rfind("does not start: problem 39, ", 0), 0u) << rows[0].cells[2];
    EXPECT_EQ(rows[0].cells[3], "USB\\VID_046D&PID_C21D\\5&1");
    EXPECT_FALSE(rows[1].broken);
    EXPECT_EQ(rows[1].cells[1], "") << "no name reported";
    EXPECT_EQ(rows[1].cells[2], "works");
    EXPECT_EQ(rows[2].cells[0], "Device") << "a device without a description";
    EXPECT_EQ(rows[2].cells[2], "not present");
    EXPECT_EQ(HealthCountLine(health),
              "3 devices carry the filter; 1 of them does not start with it.");
}

TEST(HealthView, CountsReadAsEnglish) {
    const auto broken = [](const char* id) {
        return Device(id, "D", "", health::FilterCondition::Problem, CM_PROB_DRIVER_FAILED_LOAD);
    };
    const auto working = [](const char* id) {
        return Device(id, "D", "", health::FilterCondition::Working);
    };
    EXPECT_EQ(HealthCountLine(Health({})), "No device carries the filter.");
    EXPECT_EQ(HealthCountLine(Health({working("A")})),
              "1 device carries the filter; it does not keep it from starting.");
    EXPECT_EQ(HealthCountLine(Health({broken("A")})),
              "1 device carries the filter; it does not start with it.");
    EXPECT_EQ(HealthCountLine(Health({working("A"), working("B")})),
              "2 devices carry the filter; it keeps none of them from starting.");
    EXPECT_EQ(HealthCountLine(Health({broken("A"), broken("B"), working("C")})),
              "3 devices carry the filter; 2 of them do not start with it.");
    health::FilterHealth unlisted;
    EXPECT_EQ(HealthCountLine(unlisted), "The devices could not be listed.");
    EXPECT_EQ(HealthDriverLine(Health({})), health::DriverText(Health({}).driver));
}

}  // namespace ui
