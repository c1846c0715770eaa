#include "restart/Restart.h"

#include <string>

#include "config/DriverPackage.h"
#include "restart/DriverService.h"
#include "restart/PropertyChange.h"
#include "restart/VerifiedRestart.h"
#include "device/Device.h"
#include "platform/Platform.h"

namespace restart {

void RestartDevice(device::TDevice& device) {
    RequestPropertyChange(device.DevInfoSet, device.DevInfoData);
}

RestartOutcome RequestDeviceRestart(device::TDevice& device, HWND owner, const MessagePump& pump) {
    // Read before anything runs: while the companion is waited for, a device change
    // may rebuild the caller's list and release the device.
    const std::string instanceId = device.GetInstanceId();
    if (!IsWow64()) {
        return RestartAndVerify(device.DevInfoSet, device.DevInfoData, instanceId, pump);
    }
    const CompanionRun run =
        RunCompanionProgram(owner, config::CompanionRestartParameters(instanceId), pump);
    switch (run.kind) {
        case CompanionRun::Kind::Finished:
            return OutcomeOfCompanionExit(run.exitCode);
        case CompanionRun::Kind::Missing:
            return {RestartOutcome::Kind::CompanionMissing, 0};
        case CompanionRun::Kind::NotStarted:
        case CompanionRun::Kind::Lost:
        case CompanionRun::Kind::TimedOut:
            break;
    }
    return {RestartOutcome::Kind::Failed, 0};
}

InstallOutcome RequestServiceInstall(HWND owner, const MessagePump& pump) {
    const CompanionRun run =
        IsWow64() ? RunCompanionProgram(owner, config::kCompanionInstallParameters, pump)
                  : RunInstallVerb(owner, pump);
    if (run.kind == CompanionRun::Kind::Missing) {
        return InstallOutcome::CompanionMissing;
    }
    if (run.kind != CompanionRun::Kind::Finished || run.exitCode != kCompanionDone) {
        return InstallOutcome::Failed;
    }
    // Neither the shell's installer nor InstallHinfSection reports what it did.
    const DriverServiceState service = ReadFilterService();
    return service.installed && !service.CannotLoad() ? InstallOutcome::Installed
                                                      : InstallOutcome::NotInstalled;
}

}  // namespace restart
