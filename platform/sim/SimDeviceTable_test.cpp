// Finding devices by instance ID: through the table's growth, in any letter case, and
// never a device for an ID that is merely close to a known one.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimState.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// IDs alike but for a few characters, as a machine's siblings are.
std::string IdOf(int i) {
    return "USB\\VID_1A2C&PID_4C5E&MI_0" + std::to_string(i % 4) + "\\7&" +
           std::to_string(0x1F3E2D1 + i / 4) + "&0&000" + std::to_string(i % 10);
}

TEST(SimDeviceTable, EveryIdIsFoundInAnyCaseAndNoNearMiss) {
    sim::DeviceTable table;
    std::vector<sim::DeviceRecord*> added;
    constexpr int kCount = 3000;
    for (int i = 0; i < kCount; ++i) {
        auto record = std::make_unique<sim::DeviceRecord>();
        record->instanceId = i % 2 == 0 ? IdOf(i) : Lower(IdOf(i));
        added.push_back(&table.Add(std::move(record)));
        // Earlier devices stay findable while the table grows.
        ASSERT_EQ(table.Find(IdOf(i / 2)), added[static_cast<std::size_t>(i / 2)]) << i;
    }
    EXPECT_EQ(table.size(), static_cast<std::size_t>(kCount));
    ASSERT_EQ(table.Records().size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
        const std::string id = IdOf(i);
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(table.Records()[at].get(), added[at]);
        EXPECT_EQ(added[at]->number, static_cast<std::uint32_t>(i));
        EXPECT_EQ(table.Find(id), added[at]) << id;
        EXPECT_EQ(table.Find(Lower(id)), added[at]) << id;
        EXPECT_EQ(table.Find(id.substr(0, id.size() - 1)), nullptr) << id;
        EXPECT_EQ(table.Find(id + "0"), nullptr) << id;
        std::string changed = id;
        changed[4] = 'W';  // VID -> WID
        EXPECT_EQ(table.Find(changed), nullptr) << id;
    }
    EXPECT_EQ(table.Find(""), nullptr);
}

TEST(SimDeviceTable, AnEmptyTableFindsNothing) {
    const sim::DeviceTable table;
    EXPECT_EQ(table.Find("USB\\ROOT_HUB\\4&1"), nullptr);
    EXPECT_EQ(table.size(), 0u);
}

}  // namespace
