// The device tree of a simulated machine: records by instance ID, nodes by DEVINST,
// and the links between nodes.
#include <stdexcept>

#include "platform/sim/SimState.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

// The backslash first, then the other characters by their upper-case form.
int SortKey(char c) {
    if (c == '\\') {
        return -1;
    }
    return static_cast<unsigned char>(UpperChar(c));
}

}  // namespace

bool IdLess::operator()(std::string_view a, std::string_view b) const {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int x = SortKey(a[i]);
        const int y = SortKey(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

DeviceRecord* Machine::State::Find(std::string_view instanceId) const {
    const auto found = devices.find(instanceId);
    return found != devices.end() ? found->second.get() : nullptr;
}

DeviceRecord& Machine::State::Get(const std::string& instanceId) const {
    DeviceRecord* device = Find(instanceId);
    if (device == nullptr) {
        throw std::out_of_range("no simulated device " + instanceId);
    }
    return *device;
}

const Node* Machine::State::NodeAt(DEVINST node) const {
    const auto found = nodes.find(node);
    return found != nodes.end() ? &found->second : nullptr;
}

Node* Machine::State::NodeAt(DEVINST node) {
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

void Machine::State::Retire(DEVINST node) {
    nodes.erase(node);
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
