// Device information sets, their elements, registry key handles, and the entry of
// every seam call into the log and the fault injection.
#include "platform/sim/SimHandles.h"

#include <memory>

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

DevInfoSet* Machine::State::FindSet(HDEVINFO set) {
    const auto found = sets.find(HandleValue(set));
    return found != sets.end() ? found->second.get() : nullptr;
}

DevInfoSet& Machine::State::NewSet(std::optional<GUID> classGuid) {
    auto set = std::make_unique<DevInfoSet>();
    set->serial = ++setSerial;
    set->handle = kSetHandleBase + set->serial * kHandleStep;
    set->classGuid = classGuid;
    DevInfoSet& made = *set;
    sets[made.handle] = std::move(set);
    return made;
}

bool Machine::State::DestroySet(HDEVINFO set) {
    return sets.erase(HandleValue(set)) != 0;
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
            element = Element{&device, device.node, device.classGuid};
            set.installParams.erase(found->second);
        }
        return found->second;
    }
    set.elements.push_back(Element{&device, device.node, device.classGuid});
    set.indexOf[&device] = set.elements.size() - 1;
    return set.elements.size() - 1;
}

void Machine::State::Fill(const DevInfoSet& set, std::size_t index, SP_DEVINFO_DATA& data) const {
    const Element& element = set.elements[index];
    data.ClassGuid = element.classGuid;
    data.DevInst = element.node;
    data.Reserved = static_cast<ULONG_PTR>(index + 1);
}

OpenKey* Machine::State::FindKey(HKEY key) {
    const auto found = keys.find(HandleValue(key));
    return found != keys.end() ? &found->second : nullptr;
}

const Fault* Machine::State::Enter(bool logging, const char* op, std::string args,
                                   std::string_view device) {
    if (logging) {
        calls.push_back(Call{op, std::move(args), std::string(device)});
    }
    const Fault* failing = nullptr;
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
            failing = &fault;
        }
    }
    return failing;
}

}  // namespace sim
