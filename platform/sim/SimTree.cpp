// The device tree of a simulated machine: records by instance ID, nodes by DEVINST,
// and the links between nodes.
#include <stdexcept>

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

DeviceRecord* Machine::State::Find(std::string_view instanceId) const {
    const auto found = devices.find(Upper(std::string(instanceId)));
    return found != devices.end() ? found->second.get() : nullptr;
}

DeviceRecord& Machine::State::Get(const std::string& instanceId) const {
    DeviceRecord* device = Find(instanceId);
    if (device == nullptr) {
        throw std::out_of_range("no simulated device " + instanceId);
    }
    return *device;
}

Node* Machine::State::NodeAt(DEVINST node) {
    if (node == 0) {
        return nullptr;
    }
    const auto found = nodes.find(node);
    return found != nodes.end() ? &found->second : nullptr;
}

DEVINST Machine::State::NewNode(DeviceRecord& device, bool inTree) {
    const DEVINST id = nextNode++;
    Node& node = nodes[id];
    node.device = &device;
    node.inTree = inTree;
    device.node = id;
    return id;
}

void Machine::State::AppendChild(DEVINST parent, DEVINST child) {
    Node& node = nodes.at(child);
    node.parent = parent;
    node.next = 0;
    DEVINST& first = parent != 0 ? nodes.at(parent).firstChild : firstRoot;
    DEVINST& last = parent != 0 ? nodes.at(parent).lastChild : lastRoot;
    node.prev = last;
    if (last != 0) {
        nodes.at(last).next = child;
    } else {
        first = child;
    }
    last = child;
}

void Machine::State::Detach(DEVINST id) {
    Node& node = nodes.at(id);
    DEVINST& first = node.parent != 0 ? nodes.at(node.parent).firstChild : firstRoot;
    DEVINST& last = node.parent != 0 ? nodes.at(node.parent).lastChild : lastRoot;
    if (node.prev != 0) {
        nodes.at(node.prev).next = node.next;
    } else {
        first = node.next;
    }
    if (node.next != 0) {
        nodes.at(node.next).prev = node.prev;
    } else {
        last = node.prev;
    }
    node.parent = node.prev = node.next = 0;
}

std::vector<DEVINST> Machine::State::Subtree(DEVINST root) const {
    std::vector<DEVINST> order{root};
    std::vector<DEVINST> pending;
    for (DEVINST child = nodes.at(root).lastChild; child != 0; child = nodes.at(child).prev) {
        pending.push_back(child);
    }
    while (!pending.empty()) {
        const DEVINST current = pending.back();
        pending.pop_back();
        order.push_back(current);
        const Node& node = nodes.at(current);
        for (DEVINST child = node.lastChild; child != 0; child = nodes.at(child).prev) {
            pending.push_back(child);
        }
    }
    return order;
}

}  // namespace sim
