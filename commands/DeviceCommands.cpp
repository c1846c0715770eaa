#include "commands/DeviceCommands.h"

namespace commands {

Result Restart(device::TDevice& device, Host& host) {
    restart::RestartOutcome outcome;
    host.Wait([&](const restart::MessagePump& pump) {
        outcome = restart::RequestDeviceRestart(device, host.Owner(), pump);
    });
    Result result;
    using Kind = restart::RestartOutcome::Kind;
    const bool restarted = outcome.kind == Kind::Restarted || outcome.kind == Kind::NeedsReboot;
    result.kind = restarted ? Result::Kind::Written : Result::Kind::Failed;
    result.restart = outcome;
    return result;
}

Result InstallService(Host& host) {
    restart::InstallOutcome outcome = restart::InstallOutcome::Failed;
    host.Wait([&](const restart::MessagePump& pump) {
        outcome = restart::RequestServiceInstall(host.Owner(), pump);
    });
    Result result;
    result.kind = outcome == restart::InstallOutcome::Installed ? Result::Kind::Written
                                                                : Result::Kind::Failed;
    result.install = outcome;
    return result;
}

}  // namespace commands
