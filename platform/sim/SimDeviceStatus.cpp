// Device state of the seam: locating a present device by instance ID, its status and
// problem code from its last start, and the install parameters' restart flags.
#include "platform/Platform.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

using sim::Machine;

namespace plat {

CONFIGRET CM_Locate_DevNodeA(PDEVINST pdnDevInst, DEVINSTID_A pDeviceID, ULONG ulFlags) {
    Machine& machine = sim::Current();
    Machine::State& s = machine.state();
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "CM_Locate_DevNodeA",
            [&] { return "id=" + sim::TextArg(pDeviceID) + " flags=" + sim::HexNumber(ulFlags); },
            pDeviceID != nullptr ? std::string_view(pDeviceID) : std::string_view())) {
        return CR_FAILURE;
    }
    if (pdnDevInst == nullptr) {
        return CR_INVALID_POINTER;
    }
    *pdnDevInst = 0;
    if (ulFlags != CM_LOCATE_DEVNODE_NORMAL) {
        return CR_INVALID_FLAG;
    }
    // An empty ID names the root of the tree, which the simulation has not.
    const sim::DeviceRecord* device = pDeviceID != nullptr ? s.Find(pDeviceID) : nullptr;
    if (device == nullptr || !device->present) {
        return CR_NO_SUCH_DEVNODE;
    }
    *pdnDevInst = device->node;
    return CR_SUCCESS;
}

CONFIGRET CM_Get_DevNode_Status(PULONG pulStatus, PULONG pulProblemNumber, DEVINST dnDevInst,
                                ULONG ulFlags) {
    Machine& machine = sim::Current();
    Machine::State& s = machine.state();
    const sim::Node* at = s.NodeAt(dnDevInst);
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "CM_Get_DevNode_Status",
            [&] {
                return "node=" + std::to_string(dnDevInst) + " flags=" + sim::HexNumber(ulFlags);
            },
            at != nullptr ? std::string_view(at->device->instanceId) : std::string_view())) {
        return CR_FAILURE;
    }
    if (pulStatus == nullptr || pulProblemNumber == nullptr) {
        return CR_INVALID_POINTER;
    }
    if (ulFlags != 0) {
        return CR_INVALID_FLAG;
    }
    if (at == nullptr || !at->inTree) {
        return CR_NO_SUCH_DEVNODE;
    }
    const sim::System& system = machine.system();
    const auto settles = system.settlesAt.find(at->device->instanceId);
    if (settles != system.settlesAt.end() && sim::Clock(machine) < settles->second) {
        *pulStatus = DN_DISABLEABLE;  // still starting: neither started nor failed yet
        *pulProblemNumber = 0;
        return CR_SUCCESS;
    }
    const auto& problems = system.problems;
    const auto found = problems.find(at->device->instanceId);
    const ULONG problem = found != problems.end() ? found->second : 0;
    *pulStatus = problem != 0 ? DN_HAS_PROBLEM | DN_DISABLEABLE
                              : DN_DRIVER_LOADED | DN_STARTED | DN_DISABLEABLE;
    *pulProblemNumber = problem;
    return CR_SUCCESS;
}

BOOL SetupDiGetDeviceInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                    PSP_DEVINSTALL_PARAMS_A DeviceInstallParams) {
    Machine& machine = sim::Current();
    Machine::State& s = machine.state();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiGetDeviceInstallParamsA",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) + " cbSize=" +
                       (DeviceInstallParams != nullptr ? std::to_string(DeviceInstallParams->cbSize)
                                                       : std::string("null"));
            },
            target.device)) {
        return FALSE;
    }
    if (target.set == nullptr || DeviceInstallParams == nullptr ||
        DeviceInstallParams->cbSize != sizeof(SP_DEVINSTALL_PARAMS_A)) {
        return FALSE;
    }
    DWORD flags = 0;
    if (DeviceInfoData != nullptr) {
        if (target.element == nullptr) {
            return FALSE;
        }
        const auto& installFlags = machine.system().installFlags;
        const auto found = installFlags.find({target.set->serial, target.index});
        flags = found != installFlags.end() ? found->second : 0;
    }
    *DeviceInstallParams = SP_DEVINSTALL_PARAMS_A{};
    DeviceInstallParams->cbSize = sizeof(SP_DEVINSTALL_PARAMS_A);
    DeviceInstallParams->Flags = flags;
    return TRUE;
}

}  // namespace plat
