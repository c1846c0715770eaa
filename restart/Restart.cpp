#include "restart/Restart.h"

#include <string>

#include "config/DriverPackage.h"
#include "restart/PropertyChange.h"
#include "restart/VerifiedRestart.h"
#include "device/Device.h"
#include "platform/Platform.h"

void RestartDevice(TDevice& device) {
    RequestPropertyChange(device.DevInfoSet, device.DevInfoData);
}

RestartOutcome RequestDeviceRestart(TDevice& device, HWND owner, const MessagePump& pump) {
    // Read before anything runs: while the companion is waited for, a device change
    // may rebuild the caller's list and release the device.
    const std::string instanceId = device.GetInstanceId();
    if (!IsWow64()) {
        return RestartAndVerify(device.DevInfoSet, device.DevInfoData, instanceId);
    }
    const CompanionRun run =
        RunCompanionProgram(owner, CompanionRestartParameters(instanceId), pump);
    switch (run.kind) {
        case CompanionRun::Kind::Finished:
            return OutcomeOfCompanionExit(run.exitCode);
        case CompanionRun::Kind::Missing:
            return {RestartOutcome::Kind::CompanionMissing, 0};
        case CompanionRun::Kind::NotStarted:
        case CompanionRun::Kind::Lost:
            break;
    }
    return {RestartOutcome::Kind::Failed, 0};
}

InstallOutcome RequestServiceInstall(HWND owner, const MessagePump& pump) {
    if (!IsWow64()) {
        plat::ShellExecuteA(owner, kInstallVerb, kInfFile, nullptr, nullptr, SW_SHOW);
        return InstallOutcome::Requested;
    }
    const CompanionRun run = RunCompanionProgram(owner, kCompanionInstallParameters, pump);
    if (run.kind == CompanionRun::Kind::Missing) {
        return InstallOutcome::CompanionMissing;
    }
    return run.kind == CompanionRun::Kind::Finished && run.exitCode == kCompanionDone
               ? InstallOutcome::Requested
               : InstallOutcome::Failed;
}
