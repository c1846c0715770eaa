// Device information sets, their elements, registry key handles, and the entry of
// every seam call into the log and the fault injection.
#include "platform/sim/SimHandles.h"

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

DevInfoSet* Machine::State::FindSet(HDEVINFO set) {
    const auto found = sets.find(HandleValue(set));
    return found != sets.end() ? &found->second : nullptr;
}

std::uintptr_t Machine::State::NewSet(std::optional<GUID> classGuid) {
    const std::uint32_t serial = ++setSerial;
    const std::uintptr_t handle = kSetHandleBase + serial * kHandleStep;
    DevInfoSet& set = sets[handle];
    set.serial = serial;
    set.classGuid = classGuid;
    return handle;
}

Element* Machine::State::Resolve(DevInfoSet& set, const SP_DEVINFO_DATA* data) {
    if (data == nullptr || data->cbSize != sizeof(SP_DEVINFO_DATA)) {
        return nullptr;
    }
    if (data->Reserved == 0 || data->Reserved > set.elements.size()) {
        return nullptr;
    }
    Element& element = set.elements[data->Reserved - 1];
    // A record copied from another set, or from before the element was re-opened,
    // names another node: as stale as an element whose device went away.
    if (data->DevInst != element.node || element.device->node != element.node) {
        return nullptr;
    }
    return &element;
}

std::size_t Machine::State::Open(DevInfoSet& set, DeviceRecord& device) {
    const auto found = set.indexOf.find(&device);
    if (found != set.indexOf.end()) {
        Element& element = set.elements[found->second];
        if (element.node != device.node) {
            // Re-opening a restarted device refreshes its element in place.
            element.node = device.node;
            element.installParams.reset();
        }
        return found->second;
    }
    set.elements.push_back(Element{&device, device.node, std::nullopt});
    set.indexOf.emplace(&device, set.elements.size() - 1);
    return set.elements.size() - 1;
}

void Machine::State::Fill(const DevInfoSet& set, std::size_t index, SP_DEVINFO_DATA& data) {
    const Element& element = set.elements[index];
    data.ClassGuid = element.device->classGuid;
    data.DevInst = element.node;
    data.Reserved = static_cast<ULONG_PTR>(index + 1);
}

OpenKey* Machine::State::FindKey(HKEY key) {
    const auto found = keys.find(HandleValue(key));
    return found != keys.end() ? &found->second : nullptr;
}

bool Machine::State::Enter(bool logging, const char* op, std::string args,
                           std::string_view device) {
    if (logging) {
        calls.push_back(Call{op, std::move(args), std::string(device)});
    }
    bool fail = false;
    for (ActiveFault& active : faults) {
        const Fault& fault = active.fault;
        if (fault.op != op) {
            continue;
        }
        if (!fault.instanceId.empty() && !EqualNoCase(fault.instanceId, device)) {
            continue;
        }
        ++active.seen;
        if (fault.nth == 0 || fault.nth == active.seen) {
            fail = true;
        }
    }
    return fail;
}

}  // namespace sim
