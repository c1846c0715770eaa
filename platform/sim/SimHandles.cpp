// Device information sets, their elements, registry key handles, and the entry of
// every seam call into the log and the fault injection.
#include "platform/sim/SimHandles.h"

#include <algorithm>
#include <memory>

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

// Destroyed sets kept for reuse. A rebuild destroys two sets and makes two again, and
// every interface query makes and destroys one.
constexpr std::size_t kSpareSets = 4;
// An index larger than this is dropped rather than cleared, so that reusing a set
// costs what its next use costs.
constexpr std::size_t kKeptIndexSlots = 64;

using SetList = std::vector<std::unique_ptr<DevInfoSet>>;

// The live set with that handle, or the end: handles grow with the serial, and the
// list is in serial order.
SetList::iterator Position(SetList& sets, HDEVINFO set) {
    const std::uintptr_t value = HandleValue(set);
    if (value <= kSetHandleBase || (value - kSetHandleBase) % kHandleStep != 0) {
        return sets.end();
    }
    const auto found = std::lower_bound(
        sets.begin(), sets.end(), value,
        [](const std::unique_ptr<DevInfoSet>& live, std::uintptr_t h) { return live->handle < h; });
    return found != sets.end() && (*found)->handle == value ? found : sets.end();
}

}  // namespace

DevInfoSet* Machine::State::FindSet(HDEVINFO set) {
    const auto found = Position(sets, set);
    return found != sets.end() ? found->get() : nullptr;
}

DevInfoSet& Machine::State::NewSet(std::optional<GUID> classGuid) {
    std::unique_ptr<DevInfoSet> set;
    if (!spareSets.empty()) {
        set = std::move(spareSets.back());
        spareSets.pop_back();
    } else {
        set = std::make_unique<DevInfoSet>();
    }
    set->serial = ++setSerial;
    set->handle = kSetHandleBase + set->serial * kHandleStep;
    set->classGuid = classGuid;
    sets.push_back(std::move(set));
    return *sets.back();
}

bool Machine::State::DestroySet(HDEVINFO set) {
    const auto found = Position(sets, set);
    if (found == sets.end()) {
        return false;
    }
    std::unique_ptr<DevInfoSet> gone = std::move(*found);
    sets.erase(found);
    if (spareSets.size() < kSpareSets) {
        // The elements keep their storage: the next list of the same size appends
        // without growing it.
        gone->elements.clear();
        if (gone->indexOf.Slots() > kKeptIndexSlots) {
            gone->indexOf = ElementIndex();
        } else {
            gone->indexOf.Clear();
        }
        gone->indexed = 0;
        gone->installParams.clear();
        spareSets.push_back(std::move(gone));
    }
    return true;
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
    for (; set.indexed < set.elements.size(); ++set.indexed) {
        set.indexOf.Insert(set.elements[set.indexed].device->number, set.indexed);
    }
    const std::size_t found = set.indexOf.Find(device.number);
    if (found != ElementIndex::kNone) {
        Element& element = set.elements[found];
        if (element.node != device.node) {
            // Re-opening a restarted device refreshes its element in place.
            element.node = device.node;
            element.kind = At(device.node).kind;
            set.installParams.erase(found);
        }
        return found;
    }
    Append(set, device, device.node);
    set.indexOf.Insert(device.number, set.indexed++);
    return set.elements.size() - 1;
}

void Machine::State::Append(DevInfoSet& set, DeviceRecord& device, DEVINST node) {
    set.elements.push_back(Element{&device, node, At(node).kind});
}

void Machine::State::Fill(const DevInfoSet& set, std::size_t index, SP_DEVINFO_DATA& data) const {
    const Element& element = set.elements[index];
    data.ClassGuid = kinds[element.kind].classGuid;
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
