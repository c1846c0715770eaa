#include "commands/DeviceCommands.h"

namespace commands {

Result Restart(TDevice& device, Host& host) {
    RestartOutcome outcome;
    host.Wait([&](const MessagePump& pump) {
        outcome = RequestDeviceRestart(device, host.Owner(), pump);
    });
    Result result;
    using Kind = RestartOutcome::Kind;
    const bool restarted = outcome.kind == Kind::Restarted || outcome.kind == Kind::NeedsReboot;
    result.kind = restarted ? Result::Kind::Written : Result::Kind::Failed;
    result.restart = outcome;
    return result;
}

Result InstallService(Host& host) {
    InstallOutcome outcome = InstallOutcome::Failed;
    host.Wait(
        [&](const MessagePump& pump) { outcome = RequestServiceInstall(host.Owner(), pump); });
    Result result;
    result.kind =
        outcome == InstallOutcome::Installed ? Result::Kind::Written : Result::Kind::Failed;
    result.install = outcome;
    return result;
}

}  // namespace commands
