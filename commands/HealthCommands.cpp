#include "commands/HealthCommands.h"

#include "commands/DeviceCommands.h"
#include "commands/RecordFirst.h"
#include "health/FilterHealth.h"
#include "health/FilterRepair.h"

namespace commands {

namespace {

bool FullyRepaired(const FilterRepair& repair) {
    return repair.kind == FilterRepair::Kind::Removed &&
           (!repair.restarted ||
            (repair.restart.kind == RestartOutcome::Kind::Restarted && repair.after.Started()));
}

}  // namespace

Result RepairHealth(const FilterHealth& health, Host& host) {
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
    const DeviceBeforeWrite record = [&host](TDevice& device, const PlannedChange& change) {
        WriteStop stop;
        return RecordFirst(device, host, stop)(change);
    };
    const DeviceRestart restart = [&host](TDevice& device) {
        return *Restart(device, host).restart;
    };
    bool trouble = false;
    for (const FilteredDevice& device : health.devices) {
        if (!device.Repairable()) {
            continue;
        }
        const FilterRepair repair = RemoveFilterFrom(device.instanceId, record, restart);
        trouble = trouble || !FullyRepaired(repair);
        result.why += "\n- " + DescribeRepair(device, repair);
    }
    result.kind = trouble ? Result::Kind::Failed : Result::Kind::Written;
    return result;
}

}  // namespace commands
