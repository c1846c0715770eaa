// The inside of a simulated machine, shared by the files of platform/sim only.
//
// Devices are records found by instance ID (SimDeviceTable.h) and live as long as the
// machine; a record survives unplugging (it becomes a phantom) and restarts. The tree
// is made of nodes with parent, child and sibling links, so every navigation step and
// every lookup is constant time. DEVINST numbers are handed out densely and never
// reused, so the nodes sit in one vector in the order they were made, indexed by their
// number: a restart or an unplug gives the device a new number (and retires the old
// node), and anything that still holds the old one (an element, a caller's copy) no
// longer matches and goes stale.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sim/SimDeviceTable.h"
#include "platform/sim/SimElementIndex.h"
#include "platform/sim/SimMachine.h"

namespace sim {

// What the frequent calls read comes first, within one cache line; the rest follows.
struct alignas(64) DeviceRecord {
    std::string instanceId;  // as given when added
    GUID classGuid{};
    DEVINST node = 0;          // its current node, in the tree or (phantom) outside it
    std::uint32_t number = 0;  // 0, 1, 2... in order of arrival
    bool present = true;
    bool hasInterfaces = false;  // !interfaces.empty(), so that most queries stop here
    std::map<DWORD, RegValue> properties;
    std::vector<GUID> interfaces;
    std::optional<RegKeyValues> hardwareKey;
    std::optional<RegKeyValues> driverKey;
    std::uint64_t unplugs = 0;   // registry keys opened before an unplug fail afterwards
    std::uint64_t sequence = 0;  // order of arrival, which orders the phantoms
};

// What an enumeration selects by: a setup class and the first component of instance
// IDs ("USB"; empty when the ID has no backslash, which no enumerator names). The
// machine has few of them, so a node carries its kind's number and a walk over the tree
// need not read the devices.
struct Kind {
    GUID classGuid{};
    std::string bus;
};

struct Node {
    DeviceRecord* device = nullptr;  // null: a retired node, which no call finds
    bool inTree = false;             // false: a phantom's node, known by ID but without links
    std::uint16_t kind = 0;          // the device's, when the node was made
    DEVINST parent = 0;
    DEVINST firstChild = 0;
    DEVINST lastChild = 0;
    DEVINST next = 0;
    DEVINST prev = 0;
};

struct Element {
    DeviceRecord* device = nullptr;
    DEVINST node = 0;        // the node the element was opened on
    std::uint16_t kind = 0;  // that node's, whose class the element reports
};

struct DevInfoSet {
    std::uint32_t serial = 0;
    std::uintptr_t handle = 0;
    std::optional<GUID> classGuid;  // a set of one class accepts only devices of it
    std::vector<Element> elements;  // SP_DEVINFO_DATA.Reserved is index + 1
    // The index covers the first `indexed` elements. An enumeration appends its devices
    // without it; the first open into the set catches up.
    ElementIndex indexOf;
    std::size_t indexed = 0;
    // SetupDiSetClassInstallParamsA bytes by element index; few elements have any.
    std::map<std::size_t, std::string> installParams;
};

struct OpenKey {
    std::uint32_t serial = 0;
    DeviceRecord* device = nullptr;
    DWORD keyType = 0;
    REGSAM access = 0;
    std::uint64_t unplugs = 0;  // the device's count when the key was opened
};

struct InputState;  // SimInput.cpp

struct ActiveFault {
    Fault fault;
    int seen = 0;  // matching calls since the fault was added
};

struct Machine::State {
    DeviceTable devices;
    // The device whose instance ID a call handed out last. Programs read an ID and then
    // open the device by it, so a look-up by ID tries this device first.
    DeviceRecord* recentlyNamed = nullptr;
    // Small numbers are left free so that an index never passes for a node.
    static constexpr DEVINST kFirstNode = 0x100;
    std::vector<Node> nodes;  // node kFirstNode + i at i, retired ones included
    std::vector<Kind> kinds;
    DEVINST firstRoot = 0;
    DEVINST lastRoot = 0;
    std::uint64_t nextSequence = 1;

    // Live sets in the order they were made (so by serial and handle), and destroyed
    // sets kept for reuse with their storage: rebuilt lists and the many short-lived
    // sets of interface queries then allocate nothing.
    std::vector<std::unique_ptr<DevInfoSet>> sets;
    std::vector<std::unique_ptr<DevInfoSet>> spareSets;
    std::unordered_map<std::uintptr_t, OpenKey> keys;
    std::unordered_map<std::uintptr_t, std::uint32_t> infs;
    std::uint32_t setSerial = 0;
    std::uint32_t keySerial = 0;
    std::uint32_t infSerial = 0;

    std::vector<Call> calls;
    std::vector<ActiveFault> faults;
    // Raw input, the clock and text conversion (SimInput.h), made on first use.
    std::shared_ptr<InputState> input;

    // --- devices and the tree (SimTree.cpp) ---
    DeviceRecord* Find(std::string_view instanceId) const;
    DeviceRecord& Get(const std::string& instanceId) const;  // throws for unknown IDs
    // A live node (of the tree or a phantom's), or null.
    Node* NodeAt(DEVINST node);
    const Node* NodeAt(DEVINST node) const;
    // A node known to be live, as the links name them.
    Node& At(DEVINST node) { return nodes[node - kFirstNode]; }
    const Node& At(DEVINST node) const { return nodes[node - kFirstNode]; }
    DEVINST NewNode(DeviceRecord& device, bool inTree);
    // The number of the device's kind, added when new.
    std::uint16_t KindOf(const DeviceRecord& device);
    // The node's number is never handed out again and no call finds it any more.
    void Retire(DEVINST node);
    void AppendChild(DEVINST parent, DEVINST child);
    void Detach(DEVINST node);
    // The subtree of a node in tree order, the node first.
    std::vector<DEVINST> Subtree(DEVINST node) const;
    // Every node of the tree, depth-first, parent before children, children in order.
    template <typename Visit>
    void WalkTree(Visit visit) const;

    // --- handles (SimHandles.cpp) ---
    DevInfoSet* FindSet(HDEVINFO set);
    DevInfoSet& NewSet(std::optional<GUID> classGuid);
    // False for an unknown handle.
    bool DestroySet(HDEVINFO set);
    // The element a caller's record names, or null when the record is not one of this
    // set's elements or its device has since been restarted or unplugged.
    Element* Resolve(DevInfoSet& set, const SP_DEVINFO_DATA* data);
    // The element for the device, added when the set does not hold it yet.
    std::size_t Open(DevInfoSet& set, DeviceRecord& device);
    // Adds an element for a device that the set does not hold (an enumeration's), on
    // its current node: given, so that a walk over the nodes need not read the device.
    void Append(DevInfoSet& set, DeviceRecord& device, DEVINST node);
    void Fill(const DevInfoSet& set, std::size_t index, SP_DEVINFO_DATA& data) const;
    OpenKey* FindKey(HKEY key);

    // --- call log and faults ---
    // Records the call (when logging) and tells whether an injected fault fails it.
    bool Enter(bool logging, const char* op, std::string args, std::string_view device);
};

template <typename Visit>
void Machine::State::WalkTree(Visit visit) const {
    DEVINST current = firstRoot;
    while (current != 0) {
        const Node& node = At(current);
        visit(current, node);
        if (node.firstChild != 0) {
            current = node.firstChild;
            continue;
        }
        // Climb until a node with a next sibling is found.
        DEVINST climb = current;
        current = 0;
        while (climb != 0) {
            const Node& at = At(climb);
            if (at.next != 0) {
                current = at.next;
                break;
            }
            climb = at.parent;
        }
    }
}

}  // namespace sim
