#include "commands/HealthCommands.h"

#include "commands/DeviceCommands.h"
#include "commands/RecordFirst.h"
#include "health/FilterHealth.h"
#include "health/FilterRepair.h"

namespace commands {

namespace {

bool FullyRepaired(const health::FilterRepair& repair) {
    return repair.kind == health::FilterRepair::Kind::Removed &&
           (!repair.restarted || (repair.restart.kind == restart::RestartOutcome::Kind::Restarted &&
                                  repair.after.Started()));
}

}  // namespace

Result RepairHealth(const health::FilterHealth& health, Host& host) {
    Result result;
    const int count = health.RepairableCount();
    if (count == 0) {
        return result;
    }
    if (!host.Confirm({Question::RepairHealth, {}, static_cast<unsigned long>(count)})) {
        result.kind = Result::Kind::Declined;
        result.declined = Question::RepairHealth;
        return result;
    }
    const health::DeviceBeforeWrite record = [&host](device::TDevice& device,
                                                     const config::PlannedChange& change) {
        WriteStop stop;
        return RecordFirst(device, host, stop)(change);
    };
    const health::DeviceRestart restart = [&host](device::TDevice& device) {
        return *Restart(device, host).restart;
    };
    bool trouble = false;
    for (const health::FilteredDevice& device : health.devices) {
        if (!device.Repairable()) {
            continue;
        }
        const health::FilterRepair repair =
            health::RemoveFilterFrom(device.instanceId, record, restart);
        trouble = trouble || !FullyRepaired(repair);
        result.why += "\n- " + DescribeRepair(device, repair);
    }
    result.kind = trouble ? Result::Kind::Failed : Result::Kind::Written;
    return result;
}

}  // namespace commands
