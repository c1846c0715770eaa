// Runs the seam agreement tests on the simulated platform.
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"
#include "tests/DeviceBed.h"

namespace {

class SimDeviceBed : public DeviceBed {
  public:
    // The filter's driver is installed, so that restarts keep a device's filter.
    SimDeviceBed() : scope_(machine_) { sim::InstallDriverService(machine_, "quorvin"); }

    void Add(const BedDevice& device) override {
        sim::DeviceSpec plan;
        plan.instanceId = device.instanceId;
        plan.classGuid = device.classGuid;
        plan.description = device.description;
        plan.hardwareIds = device.hardwareIds;
        if (device.hubInterface) {
            plan.interfaces.push_back(sim::kInterfaceUsbHub);
        }
        if (device.driverKey) {
            plan.driverKey = sim::RegKeyValues{};
        }
        machine_.AddDevice(plan);
    }

    std::optional<BedValue> LowerFilters(const std::string& instanceId) override {
        const auto value = machine_.Property(instanceId, SPDRP_LOWERFILTERS);
        if (!value) {
            return std::nullopt;
        }
        return BedValue{value->type, value->data};
    }
    void SetLowerFilters(const std::string& instanceId, const BedValue& value) override {
        machine_.SetProperty(instanceId, SPDRP_LOWERFILTERS, value.type, value.bytes);
    }

    std::optional<BedValue> DriverValue(const std::string& instanceId,
                                        const std::string& name) override {
        if (!machine_.HasKey(instanceId, DIREG_DRV)) {
            return std::nullopt;
        }
        const sim::RegKeyValues& values = machine_.Key(instanceId, DIREG_DRV);
        const auto found = values.find(name);
        if (found == values.end()) {
            return std::nullopt;
        }
        return BedValue{found->second.type, found->second.data};
    }
    void SetDriverValue(const std::string& instanceId, const std::string& name,
                        const BedValue& value) override {
        machine_.Key(instanceId, DIREG_DRV)[name] = sim::RegValue{value.type, value.bytes};
    }
    bool HasDriverKey(const std::string& instanceId) override {
        return machine_.HasKey(instanceId, DIREG_DRV);
    }

    // The simulation is the reference: it has none of the known departures.
    bool Has(Quirk) const override { return false; }

  private:
    sim::Machine machine_;
    sim::ScopedMachine scope_;
};

std::unique_ptr<DeviceBed> MakeSimDeviceBed() {
    return std::make_unique<SimDeviceBed>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Sim, SeamAgreement, ::testing::Values(&MakeSimDeviceBed),
                         [](const auto&) { return std::string("Sim"); });
