#include "restart/VerifiedRestart.h"

#include "restart/DeviceStartWait.h"
#include "config/LowerFilters.h"
#include "restart/PropertyChange.h"
#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "device/DeviceState.h"
#include "platform/Platform.h"

namespace restart {

namespace {

using Kind = RestartOutcome::Kind;

bool WantsReboot(HDEVINFO set, SP_DEVINFO_DATA& element) {
    SP_DEVINSTALL_PARAMS_A params{};
    params.cbSize = sizeof(SP_DEVINSTALL_PARAMS_A);
    // The parameters cannot be read once the restart gave the device a new node; then
    // the device did restart, which is what the flags would have denied.
    if (!plat::SetupDiGetDeviceInstallParamsA(set, &element, &params)) {
        return false;
    }
    return (params.Flags & (DI_NEEDRESTART | DI_NEEDREBOOT)) != 0;
}

// A device opened by instance ID into a set of its own, for the revert.
class OpenedDevice {
  public:
    explicit OpenedDevice(const std::string& instanceId)
        : set_(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)) {
        element_.cbSize = sizeof(SP_DEVINFO_DATA);
        opened_ = set_.valid() && plat::SetupDiOpenDeviceInfoA(set_.get(), instanceId.c_str(),
                                                               nullptr, 0, &element_) != 0;
    }
    bool opened() const { return opened_; }
    HDEVINFO set() const { return set_.get(); }
    SP_DEVINFO_DATA& element() { return element_; }

  private:
    device::DevInfoSetHandle set_;
    SP_DEVINFO_DATA element_{};
    bool opened_ = false;
};

RestartOutcome Revert(const std::string& instanceId, ULONG problem, const MessagePump& pump) {
    OpenedDevice opened(instanceId);
    if (!opened.opened()) {
        return {Kind::ProblemNotCured, problem};
    }
    {
        device::TDevice device(opened.set(), opened.element(), opened.set());
        if (!config::HasFilter(device)) {
            return {Kind::Restarted, 0};  // the problem is not the filter's
        }
        config::SetFilter(device, false);
        if (config::HasFilter(device)) {
            return {Kind::ProblemNotCured, problem};  // the list could not be written
        }
    }
    if (!RequestPropertyChange(opened.set(), opened.element()) ||
        WantsReboot(opened.set(), opened.element()) ||
        !WaitForDeviceStart(instanceId, pump).Started()) {
        return {Kind::ProblemNotCured, problem};
    }
    return {Kind::ProblemReverted, problem};
}

// What the settled (or not) state after a restart tells.
RestartOutcome Judge(const std::string& instanceId, const device::DeviceState& state,
                     const MessagePump& pump) {
    switch (state.Problem()) {
        case device::ProblemKind::DriverLoad:
            return Revert(instanceId, state.problem, pump);
        case device::ProblemKind::NeedsReboot:
            return {Kind::NeedsReboot, 0};
        case device::ProblemKind::Other:
            return {Kind::OtherProblem, state.problem};
        case device::ProblemKind::None:
            break;
    }
    return state.Started() ? RestartOutcome{Kind::Restarted, 0}
                           : RestartOutcome{Kind::StateUnknown, 0};
}

}  // namespace

RestartOutcome RestartAndVerify(HDEVINFO set, SP_DEVINFO_DATA& element,
                                const std::string& instanceId, const MessagePump& pump) {
    if (!RequestPropertyChange(set, element)) {
        return {Kind::Failed, 0};
    }
    if (WantsReboot(set, element)) {
        return {Kind::NeedsReboot, 0};
    }
    if (instanceId.empty()) {
        return {Kind::Restarted, 0};
    }
    return Judge(instanceId, WaitForDeviceStart(instanceId, pump), pump);
}

RestartOutcome RestartAndVerifyById(const std::string& instanceId, const MessagePump& pump) {
    OpenedDevice opened(instanceId);
    if (!opened.opened()) {
        return {Kind::Failed, 0};
    }
    return RestartAndVerify(opened.set(), opened.element(), instanceId, pump);
}

}  // namespace restart
