// The device tree of a simulated machine: records by instance ID, nodes by DEVINST,
// and the links between nodes.
#include <limits>
#include <stdexcept>
#include <utility>

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

DeviceTable::DeviceTable() = default;
DeviceTable::~DeviceTable() = default;

DeviceRecord* DeviceTable::Find(std::string_view instanceId) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const std::uint64_t hash = HashNoCase(instanceId);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.device == nullptr) {
            return nullptr;
        }
        if (slot.hash == hash && EqualNoCase(slot.device->instanceId, instanceId)) {
            return slot.device;
        }
    }
}

DeviceRecord& DeviceTable::Add(std::unique_ptr<DeviceRecord> record) {
    if (4 * (records_.size() + 1) > 3 * slots_.size()) {
        Grow();
    }
    DeviceRecord& added = *records_.emplace_back(std::move(record));
    added.number = static_cast<std::uint32_t>(records_.size() - 1);
    Place(HashNoCase(added.instanceId), &added);
    return added;
}

void DeviceTable::Place(std::uint64_t hash, DeviceRecord* device) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>(hash) & mask;
    while (slots_[at].device != nullptr) {
        at = (at + 1) & mask;
    }
    slots_[at] = Slot{hash, device};
}

void DeviceTable::Grow() {
    std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size());
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.device != nullptr) {
            Place(slot.hash, slot.device);
        }
    }
}

DeviceRecord* Machine::State::Find(std::string_view instanceId) const {
    if (recentlyNamed != nullptr && EqualNoCase(recentlyNamed->instanceId, instanceId)) {
        return recentlyNamed;
    }
    return devices.Find(instanceId);
}

DeviceRecord& Machine::State::Get(const std::string& instanceId) const {
    DeviceRecord* device = Find(instanceId);
    if (device == nullptr) {
        throw std::out_of_range("no simulated device " + instanceId);
    }
    return *device;
}

const Node* Machine::State::NodeAt(DEVINST node) const {
    // Unsigned: numbers below kFirstNode (0 included) wrap around and fall out of range.
    const DEVINST index = node - kFirstNode;
    if (index >= nodes.size() || nodes[index].device == nullptr) {
        return nullptr;
    }
    return &nodes[index];
}

Node* Machine::State::NodeAt(DEVINST node) {
    return const_cast<Node*>(std::as_const(*this).NodeAt(node));
}

DEVINST Machine::State::NewNode(DeviceRecord& device, bool inTree) {
    const auto id = static_cast<DEVINST>(kFirstNode + nodes.size());
    const std::uint16_t kind = KindOf(device);
    Node& node = nodes.emplace_back();
    node.device = &device;
    node.inTree = inTree;
    node.kind = kind;
    device.node = id;
    return id;
}

std::uint16_t Machine::State::KindOf(const DeviceRecord& device) {
    const std::string_view id = device.instanceId;
    const std::size_t slash = id.find('\\');
    const std::string_view bus = slash != std::string_view::npos ? id.substr(0, slash) : "";
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const Kind& kind = kinds[k];
        if (SameGuid(kind.classGuid, device.classGuid) && EqualNoCase(kind.bus, bus)) {
            return static_cast<std::uint16_t>(k);
        }
    }
    if (kinds.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::length_error("too many kinds of simulated device");
    }
    kinds.push_back(Kind{device.classGuid, std::string(bus)});
    return static_cast<std::uint16_t>(kinds.size() - 1);
}

void Machine::State::Retire(DEVINST node) {
    At(node) = Node{};
}

void Machine::State::AppendChild(DEVINST parent, DEVINST child) {
    Node& node = At(child);
    node.parent = parent;
    node.next = 0;
    DEVINST& first = parent != 0 ? At(parent).firstChild : firstRoot;
    DEVINST& last = parent != 0 ? At(parent).lastChild : lastRoot;
    node.prev = last;
    if (last != 0) {
        At(last).next = child;
    } else {
        first = child;
    }
    last = child;
}

void Machine::State::Detach(DEVINST id) {
    Node& node = At(id);
    DEVINST& first = node.parent != 0 ? At(node.parent).firstChild : firstRoot;
    DEVINST& last = node.parent != 0 ? At(node.parent).lastChild : lastRoot;
    if (node.prev != 0) {
        At(node.prev).next = node.next;
    } else {
        first = node.next;
    }
    if (node.next != 0) {
        At(node.next).prev = node.prev;
    } else {
        last = node.prev;
    }
    node.parent = node.prev = node.next = 0;
}

std::vector<DEVINST> Machine::State::Subtree(DEVINST root) const {
    std::vector<DEVINST> order{root};
    std::vector<DEVINST> pending;
    for (DEVINST child = At(root).lastChild; child != 0; child = At(child).prev) {
        pending.push_back(child);
    }
    while (!pending.empty()) {
        const DEVINST current = pending.back();
        pending.pop_back();
        order.push_back(current);
        const Node& node = At(current);
        for (DEVINST child = node.lastChild; child != 0; child = At(child).prev) {
            pending.push_back(child);
        }
    }
    return order;
}

}  // namespace sim
