// The configuration-manager functions of the seam and IsEqualGUID. Only nodes of the
// tree have a parent, children and siblings; a phantom's node answers its instance ID
// and nothing else. Out-parameters are written only on success.
#include <cstring>
#include <string_view>

#include "platform/Platform.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

using sim::Machine;

namespace {

std::string NodeArgs(DEVINST node, ULONG flags) {
    return "node=" + std::to_string(node) + " flags=" + sim::HexNumber(flags);
}

// The instance ID of the device a node belongs to, for the log and per-device faults.
auto DeviceAt(Machine::State& s, DEVINST node) {
    return [&s, node] {
        const sim::Node* at = s.NodeAt(node);
        return at != nullptr ? std::string_view(at->device->instanceId) : std::string_view();
    };
}

enum class Step { Parent, Child, Sibling };

CONFIGRET Navigate(const char* op, Step step, PDEVINST result, DEVINST from, ULONG flags) {
    Machine::State& s = sim::CurrentState();
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            op, [&] { return NodeArgs(from, flags); }, DeviceAt(s, from))) {
        return CR_FAILURE;
    }
    if (result == nullptr) {
        return CR_INVALID_POINTER;
    }
    if (flags != 0) {
        return CR_INVALID_FLAG;
    }
    const sim::Node* at = s.NodeAt(from);
    if (at == nullptr) {
        return CR_INVALID_DEVNODE;
    }
    const DEVINST next = step == Step::Parent  ? at->parent
                         : step == Step::Child ? at->firstChild
                                               : at->next;
    if (!at->inTree || next == 0) {
        return CR_NO_SUCH_DEVNODE;
    }
    *result = next;
    return CR_SUCCESS;
}

}  // namespace

namespace plat {

CONFIGRET CM_Get_Device_ID_Size(PULONG pulLen, DEVINST dnDevInst, ULONG ulFlags) {
    Machine::State& s = sim::CurrentState();
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "CM_Get_Device_ID_Size", [&] { return NodeArgs(dnDevInst, ulFlags); },
            DeviceAt(s, dnDevInst))) {
        return CR_FAILURE;
    }
    if (pulLen == nullptr) {
        return CR_INVALID_POINTER;
    }
    if (ulFlags != 0) {
        return CR_INVALID_FLAG;
    }
    const sim::Node* at = s.NodeAt(dnDevInst);
    if (at == nullptr) {
        return CR_INVALID_DEVNODE;
    }
    *pulLen = static_cast<ULONG>(at->device->instanceId.size());
    return CR_SUCCESS;
}

CONFIGRET CM_Get_Device_IDA(DEVINST dnDevInst, PSTR Buffer, ULONG BufferLen, ULONG ulFlags) {
    Machine::State& s = sim::CurrentState();
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "CM_Get_Device_IDA",
            [&] {
                return "node=" + std::to_string(dnDevInst) + " size=" + std::to_string(BufferLen) +
                       " flags=" + sim::HexNumber(ulFlags);
            },
            DeviceAt(s, dnDevInst))) {
        return CR_FAILURE;
    }
    if (Buffer == nullptr) {
        return CR_INVALID_POINTER;
    }
    if (ulFlags != 0) {
        return CR_INVALID_FLAG;
    }
    const sim::Node* at = s.NodeAt(dnDevInst);
    if (at == nullptr) {
        return CR_INVALID_DEVNODE;
    }
    const std::string& id = at->device->instanceId;
    if (BufferLen < id.size() + 1) {
        return CR_BUFFER_SMALL;
    }
    std::memcpy(Buffer, id.c_str(), id.size() + 1);
    return CR_SUCCESS;
}

CONFIGRET CM_Get_Parent(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return Navigate("CM_Get_Parent", Step::Parent, pdnDevInst, dnDevInst, ulFlags);
}

CONFIGRET CM_Get_Child(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return Navigate("CM_Get_Child", Step::Child, pdnDevInst, dnDevInst, ulFlags);
}

CONFIGRET CM_Get_Sibling(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return Navigate("CM_Get_Sibling", Step::Sibling, pdnDevInst, dnDevInst, ulFlags);
}

BOOL IsEqualGUID(REFGUID rguid1, REFGUID rguid2) {
    if (sim::EnterCall<sim::Reports::ReturnValue>("IsEqualGUID", [&] {
            return "a=" + sim::FormatGuid(rguid1) + " b=" + sim::FormatGuid(rguid2);
        })) {
        return FALSE;
    }
    return sim::SameGuid(rguid1, rguid2) ? TRUE : FALSE;
}

}  // namespace plat
