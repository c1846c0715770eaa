// The test-facing side of a simulated machine: building and changing the tree, the
// call log, fault injection, handle accounting and the current machine.
#include "platform/sim/SimMachine.h"

#include <stdexcept>

#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimState.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

void Describe(DeviceRecord& device, const DeviceSpec& plan) {
    device.instanceId = plan.instanceId;
    device.classGuid = plan.classGuid;
    device.properties.clear();
    if (plan.description) {
        device.properties[SPDRP_DEVICEDESC] = RegValue{REG_SZ, *plan.description + '\0'};
    }
    if (!plan.hardwareIds.empty()) {
        device.properties[SPDRP_HARDWAREID] = RegValue{REG_MULTI_SZ, MultiString(plan.hardwareIds)};
    }
    device.interfaces = plan.interfaces;
    device.hardwareKey = plan.hardwareKey;
    device.driverKey = plan.driverKey;
    device.present = plan.present;
}

std::optional<RegKeyValues>& KeyOf(DeviceRecord& device, DWORD keyType) {
    if (keyType == DIREG_DEV) {
        return device.hardwareKey;
    }
    if (keyType == DIREG_DRV) {
        return device.driverKey;
    }
    throw std::invalid_argument("key type must be DIREG_DEV or DIREG_DRV");
}

}  // namespace

Machine::Machine()
    : state_(std::make_unique<State>()),
      system_(std::make_unique<System>()),
      disk_(std::make_unique<Disk>()) {}
Machine::~Machine() = default;
Disk& Machine::disk() {
    return *disk_;
}
Machine::State& Machine::state() {
    return *state_;
}
System& Machine::system() {
    return *system_;
}

DEVINST Machine::AddDevice(const DeviceSpec& plan, DEVINST parent) {
    if (plan.instanceId.empty()) {
        throw std::invalid_argument("a simulated device needs an instance ID");
    }
    State& s = *state_;
    if (plan.present && parent != 0) {
        const Node* at = s.NodeAt(parent);
        if (at == nullptr || !at->inTree) {
            throw std::invalid_argument("parent node is not in the tree");
        }
    }
    DeviceRecord* device = s.Find(plan.instanceId);
    if (device != nullptr && device->present) {
        throw std::invalid_argument("device already present: " + plan.instanceId);
    }
    if (device != nullptr) {
        s.Retire(device->node);  // the phantom arrives again
    } else {
        auto record = std::make_unique<DeviceRecord>();
        device = record.get();
        s.devices[plan.instanceId] = std::move(record);
    }
    Describe(*device, plan);
    const DEVINST node = s.NewNode(*device, plan.present);
    if (plan.present) {
        s.AppendChild(parent, node);
    }
    return node;
}

DEVINST Machine::Plug(const DeviceSpec& plan, DEVINST parent) {
    return AddDevice(plan, parent);
}

DEVINST Machine::NodeOf(const std::string& instanceId) const {
    const DeviceRecord* device = state_->Find(instanceId);
    return device != nullptr && device->present ? device->node : 0;
}

std::string Machine::InstanceIdOf(DEVINST node) const {
    const Node* found = state_->NodeAt(node);
    return found != nullptr ? found->device->instanceId : std::string();
}

std::size_t Machine::DeviceCount() const {
    return state_->devices.size();
}

void Machine::SetProperty(const std::string& instanceId, DWORD property, DWORD type,
                          const std::string& bytes) {
    state_->Get(instanceId).properties[property] = RegValue{type, bytes};
}

void Machine::RemoveProperty(const std::string& instanceId, DWORD property) {
    state_->Get(instanceId).properties.erase(property);
}

std::optional<RegValue> Machine::Property(const std::string& instanceId, DWORD property) const {
    const DeviceRecord& device = state_->Get(instanceId);
    const auto found = device.properties.find(property);
    if (found == device.properties.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool Machine::HasKey(const std::string& instanceId, DWORD keyType) const {
    DeviceRecord* device = state_->Find(instanceId);
    return device != nullptr && KeyOf(*device, keyType).has_value();
}

RegKeyValues& Machine::Key(const std::string& instanceId, DWORD keyType) {
    std::optional<RegKeyValues>& key = KeyOf(state_->Get(instanceId), keyType);
    if (!key) {
        throw std::out_of_range("device has no such key: " + instanceId);
    }
    return *key;
}

void Machine::CreateKey(const std::string& instanceId, DWORD keyType) {
    std::optional<RegKeyValues>& key = KeyOf(state_->Get(instanceId), keyType);
    if (!key) {
        key.emplace();
    }
}

void Machine::Unplug(const std::string& instanceId) {
    State& s = *state_;
    DeviceRecord& device = s.Get(instanceId);
    if (!device.present) {
        throw std::invalid_argument("device is not present: " + instanceId);
    }
    const std::vector<DEVINST> gone = s.Subtree(device.node);
    s.Detach(device.node);
    for (const DEVINST node : gone) {
        DeviceRecord& leaving = *s.At(node).device;
        s.Retire(node);
        leaving.present = false;
        ++leaving.unplugs;
        s.NewNode(leaving, false);
    }
}

void Machine::Restart(const std::string& instanceId) {
    State& s = *state_;
    DeviceRecord& device = s.Get(instanceId);
    if (!device.present) {
        throw std::invalid_argument("device is not present: " + instanceId);
    }
    const DEVINST old = device.node;
    const std::vector<DEVINST> subtree = s.Subtree(old);
    // Every node of the subtree gets a new number; links are rewritten through the map.
    std::map<DEVINST, DEVINST> renumbered;
    for (const DEVINST node : subtree) {
        renumbered[node] = s.NewNode(*s.At(node).device, true);
    }
    auto map = [&](DEVINST node) {
        const auto found = renumbered.find(node);
        return found != renumbered.end() ? found->second : node;
    };
    for (const DEVINST node : subtree) {
        const Node before = s.At(node);
        Node& after = s.At(renumbered.at(node));
        after.parent = map(before.parent);
        after.firstChild = map(before.firstChild);
        after.lastChild = map(before.lastChild);
        after.next = map(before.next);
        after.prev = map(before.prev);
    }
    // Splice the new top node into the old one's place among its siblings.
    const Node& top = s.At(renumbered.at(old));
    const DEVINST fresh = renumbered.at(old);
    DEVINST& first = top.parent != 0 ? s.At(top.parent).firstChild : s.firstRoot;
    DEVINST& last = top.parent != 0 ? s.At(top.parent).lastChild : s.lastRoot;
    if (top.prev != 0) {
        s.At(top.prev).next = fresh;
    } else {
        first = fresh;
    }
    if (top.next != 0) {
        s.At(top.next).prev = fresh;
    } else {
        last = fresh;
    }
    for (const DEVINST node : subtree) {
        s.Retire(node);
    }
    NoteRestart(*this, instanceId);
}

void Machine::Reparent(const std::string& instanceId, DEVINST newParent) {
    State& s = *state_;
    DeviceRecord& device = s.Get(instanceId);
    if (!device.present) {
        throw std::invalid_argument("device is not present: " + instanceId);
    }
    for (DEVINST up = newParent; up != 0; up = s.At(up).parent) {
        const Node* at = s.NodeAt(up);
        if (at == nullptr || !at->inTree) {
            throw std::invalid_argument("new parent is not in the tree");
        }
        if (up == device.node) {
            throw std::invalid_argument("a device cannot move below itself");
        }
    }
    s.Detach(device.node);
    s.AppendChild(newParent, device.node);
}

const std::vector<Call>& Machine::Calls() const {
    return state_->calls;
}
void Machine::ClearCalls() {
    state_->calls.clear();
}

std::size_t Machine::CountCalls(const std::string& op) const {
    std::size_t count = 0;
    for (const Call& call : state_->calls) {
        count += call.op == op ? 1 : 0;
    }
    return count;
}

std::vector<Call> Machine::CallsOf(const std::string& op) const {
    std::vector<Call> result;
    for (const Call& call : state_->calls) {
        if (call.op == op) {
            result.push_back(call);
        }
    }
    return result;
}

void Machine::AddFault(const Fault& fault) {
    state_->faults.push_back(ActiveFault{fault, 0});
}
void Machine::ClearFaults() {
    state_->faults.clear();
}

bool Machine::Enter(const char* op, std::string args, const std::string& device) {
    return state_->Enter(logging, op, std::move(args), device) != nullptr;
}

DWORD Machine::LastError() const {
    return state_->lastError;
}

std::size_t Machine::OpenSetCount() const {
    return state_->sets.size();
}
std::size_t Machine::OpenKeyCount() const {
    return state_->keys.size();
}
std::size_t Machine::OpenInfCount() const {
    return state_->infs.size();
}

std::size_t Machine::SetSize(HDEVINFO set) const {
    const DevInfoSet* found = state_->FindSet(set);
    return found != nullptr ? found->elements.size() : 0;
}

namespace {
Machine* g_installed = nullptr;

Machine& DefaultMachine() {
    static Machine machine;
    static const bool built = (BuildDemoMachine(machine), true);
    (void)built;
    return machine;
}
}  // namespace

Machine& Current() {
    return g_installed != nullptr ? *g_installed : DefaultMachine();
}

ScopedMachine::ScopedMachine(Machine& machine) : previous_(g_installed) {
    g_installed = &machine;
}
ScopedMachine::~ScopedMachine() {
    g_installed = previous_;
}

}  // namespace sim
