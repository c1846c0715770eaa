// Costs grow no faster than the work: list construction makes the same platform
// calls per device on small and large machines, and a paint costs what its visible
// rows cost, however long the list. Time per device is measured by the benchmarks
// (scripts/bench.sh), never by a timed test.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "device/DeviceList.h"
#include "tests/GeneratedMachine.h"
#include "tests/GeneratedWindow.h"

namespace {

struct Mode {
    const char* name;
    bool miceOnly;
    bool allDevices;
};

constexpr Mode kModes[] = {
    {"normal", false, false}, {"mice only", true, false}, {"all devices", false, true}};

// The platform calls of one list build on a machine of that many devices.
std::size_t CallsOfABuild(int nodes, const Mode& mode) {
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    generated::Generate(machine, nodes);
    device::TDeviceList list(mode.miceOnly, mode.allDevices);
    return machine.Calls().size();
}

TEST(Growth, ListConstructionMakesTheSameCallsPerDeviceAtEverySize) {
    for (const Mode& mode : kModes) {
        const double perDeviceSmall = static_cast<double>(CallsOfABuild(100, mode)) / 100;
        const double perDeviceLarge = static_cast<double>(CallsOfABuild(10000, mode)) / 10000;
        EXPECT_LT(perDeviceLarge, 1.15 * perDeviceSmall) << mode.name;
    }
}

// The generated machines begin alike, so the first 30 rows are the same devices on
// both; a paint that did work for rows out of view would call more on the larger.
TEST(Growth, APaintCostsTheSameWhateverTheLengthOfTheList) {
    for (const bool processParent : {false, true}) {
        std::map<std::string, std::size_t> counts[2];
        int listed[2] = {};
        const int sizes[2] = {1000, 10000};
        for (int i = 0; i < 2; ++i) {
            generated::WindowBed bed(sizes[i], processParent);
            ASSERT_TRUE(bed.FullGrid());
            listed[i] = bed.Form().DeviceList->Count();
            bed.machine.logging = true;
            bed.machine.ClearCalls();
            bed.window->Paint();
            counts[i] = generated::CountsByOp(bed.machine);
        }
        EXPECT_GT(listed[1], 5 * listed[0]);
        EXPECT_EQ(counts[0], counts[1]) << "Process Parent " << processParent;
    }
}

}  // namespace
