// Class-installer requests of the seam. Parameters are kept per element; a
// property-change request with DICS_PROPCHANGE restarts the element's device, which
// gives it (and everything below it) new nodes, so every element of it goes stale,
// the one used for the request included, and derives the state of its new start. A
// device held open is not restarted; the request sets DI_NEEDRESTART instead.
#include <cstring>

#include "platform/Platform.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

using sim::Machine;

namespace {

constexpr DWORD kHeaderSize = sizeof(SP_CLASSINSTALL_HEADER);
constexpr DWORD kPropChangeSize = sizeof(SP_PROPCHANGE_PARAMS);

std::string ParamsArgs(const SP_CLASSINSTALL_HEADER* params, DWORD size) {
    if (params == nullptr) {
        return "params=null size=" + std::to_string(size);
    }
    std::string args = "size=" + std::to_string(size) +
                       " header=" + std::to_string(params->cbSize) +
                       " function=" + sim::HexNumber(params->InstallFunction);
    if (size >= kPropChangeSize && params->InstallFunction == DIF_PROPERTYCHANGE) {
        SP_PROPCHANGE_PARAMS change;
        std::memcpy(&change, params, sizeof change);
        args += " state=" + sim::HexNumber(change.StateChange) +
                " scope=" + sim::HexNumber(change.Scope) +
                " profile=" + std::to_string(change.HwProfile);
    }
    return args;
}

// The platform refuses a header of the wrong size and property-change parameters of
// any size but their own.
bool AcceptableParams(const SP_CLASSINSTALL_HEADER* params, DWORD size) {
    if (size < kHeaderSize || params->cbSize != kHeaderSize) {
        return false;
    }
    return params->InstallFunction != DIF_PROPERTYCHANGE || size == kPropChangeSize;
}

}  // namespace

namespace plat {

BOOL SetupDiSetClassInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                   PSP_CLASSINSTALL_HEADER ClassInstallParams,
                                   DWORD ClassInstallParamsSize) {
    Machine::State& s = sim::CurrentState();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiSetClassInstallParamsA",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) + " " +
                       ParamsArgs(ClassInstallParams, ClassInstallParamsSize);
            },
            target.device)) {
        return FALSE;
    }
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), FALSE);
    }
    if (ClassInstallParams == nullptr) {
        if (ClassInstallParamsSize != 0) {
            return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
        }
        target.set->installParams.erase(target.index);
        return TRUE;
    }
    if (!AcceptableParams(ClassInstallParams, ClassInstallParamsSize)) {
        return sim::Fail(ERROR_INVALID_USER_BUFFER, FALSE);
    }
    target.set->installParams[target.index] =
        std::string(reinterpret_cast<const char*>(ClassInstallParams), ClassInstallParamsSize);
    return TRUE;
}

BOOL SetupDiCallClassInstaller(DI_FUNCTION InstallFunction, HDEVINFO DeviceInfoSet,
                               PSP_DEVINFO_DATA DeviceInfoData) {
    Machine& machine = sim::Current();
    Machine::State& s = machine.state();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiCallClassInstaller",
            [&] {
                return "function=" + sim::HexNumber(InstallFunction) +
                       " set=" + sim::SetArg(s, DeviceInfoSet);
            },
            target.device)) {
        return FALSE;
    }
    // Only the property-change restart of a present device is simulated.
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), FALSE);
    }
    if (InstallFunction != DIF_PROPERTYCHANGE) {
        return sim::Fail(ERROR_DI_DO_DEFAULT, FALSE);  // no installer handles it
    }
    if (!target.element->device->present) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const auto params = target.set->installParams.find(target.index);
    if (params == target.set->installParams.end()) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const std::string& bytes = params->second;
    SP_PROPCHANGE_PARAMS change;
    if (bytes.size() != sizeof change) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    std::memcpy(&change, bytes.data(), sizeof change);
    if (change.ClassInstallHeader.InstallFunction != DIF_PROPERTYCHANGE ||
        change.StateChange != DICS_PROPCHANGE) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const std::string instanceId = target.element->device->instanceId;
    sim::System& system = machine.system();
    if (system.heldOpen.contains(instanceId)) {
        // A device that cannot be stopped keeps running as it was until Windows restarts.
        system.installFlags[{target.set->serial, target.index}] |= DI_NEEDRESTART;
        return TRUE;
    }
    machine.restarts.push_back(instanceId);
    machine.Restart(instanceId);
    sim::StartDevice(machine, instanceId);
    return TRUE;
}

}  // namespace plat
