// Costs grow no faster than the work: list construction makes the same platform
// calls per device on small and large machines and takes about the same time per
// device, and a paint costs what its visible rows cost, however long the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
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

std::map<std::string, std::size_t> CountsByOp(const sim::Machine& machine) {
    std::map<std::string, std::size_t> counts;
    for (const sim::Call& call : machine.Calls()) {
        ++counts[call.op];
    }
    return counts;
}

// The CPU time of this thread: a build that the scheduler interrupts (other
// programs compile on these machines) still counts only its own work.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Built {
    std::size_t calls = 0;
    double secondsPerDevice = 0;
};

// Builds the list on a machine of that many devices: the platform calls of one
// build, and the best time per device of several.
Built BuildOn(int nodes, const Mode& mode, int timedBuilds) {
    sim::Machine machine;
    sim::ScopedMachine use(machine);
    generated::Generate(machine, nodes);
    Built built;
    {
        TDeviceList list(mode.miceOnly, mode.allDevices);
        built.calls = machine.Calls().size();
    }
    machine.logging = false;
    double best = 1e9;
    for (int i = 0; i < timedBuilds; ++i) {
        const double start = ThreadSeconds();
        TDeviceList list(mode.miceOnly, mode.allDevices);
        best = std::min(best, ThreadSeconds() - start);
    }
    built.secondsPerDevice = best / nodes;
    return built;
}

TEST(Growth, ListConstructionMakesTheSameCallsPerDeviceAtEverySize) {
    for (const Mode& mode : kModes) {
        const Built small = BuildOn(100, mode, 0);
        const Built large = BuildOn(10000, mode, 0);
        const double perDeviceSmall = static_cast<double>(small.calls) / 100;
        const double perDeviceLarge = static_cast<double>(large.calls) / 10000;
        EXPECT_LT(perDeviceLarge, 1.15 * perDeviceSmall) << mode.name;
    }
}

// Timing on a shared machine is noisy, so each size takes its best of several
// builds in CPU time and the bound is loose: a path that grows with the square of the devices
// costs ten times as much per device at ten times the size.
TEST(Growth, ListConstructionTimePerDeviceStaysFlat) {
    for (const Mode& mode : kModes) {
        const Built small = BuildOn(1000, mode, 15);
        const Built large = BuildOn(10000, mode, 5);
        EXPECT_LT(large.secondsPerDevice, 3 * small.secondsPerDevice)
            << mode.name << ": " << small.secondsPerDevice * 1e9 << " ns per device at 1,000, "
            << large.secondsPerDevice * 1e9 << " ns at 10,000";
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
            counts[i] = CountsByOp(bed.machine);
        }
        EXPECT_GT(listed[1], 5 * listed[0]);
        EXPECT_EQ(counts[0], counts[1]) << "Process Parent " << processParent;
    }
}

}  // namespace
