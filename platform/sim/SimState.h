// The inside of a simulated machine, shared by the files of platform/sim only.
//
// Devices are records kept by instance ID in the order Windows lists them, and live
// as long as the machine; a record survives unplugging (it becomes a phantom) and
// restarts. The tree is made of nodes with parent, child and sibling links. DEVINST
// numbers are never reused: a restart or an unplug gives the device a new number and
// retires the old node, so anything that still holds the old number (an element, a
// caller's copy) no longer matches and goes stale.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace sim {

// The order of instance IDs in a listing: component by component (the backslash sorts
// before every other character), letters compared without case, as the registry
// orders the keys the listing walks.
struct IdLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

struct DeviceRecord {
    std::string instanceId;  // as given when added
    GUID classGuid{};
    DEVINST node = 0;  // its current node, in the tree or (phantom) outside it
    bool present = true;
    std::map<DWORD, RegValue> properties;
    std::vector<GUID> interfaces;
    std::optional<RegKeyValues> hardwareKey;
    std::optional<RegKeyValues> driverKey;
    std::uint64_t unplugs = 0;  // registry keys opened before an unplug fail afterwards
};

struct Node {
    DeviceRecord* device = nullptr;
    bool inTree = false;  // false: a phantom's node, known by ID but without links
    DEVINST parent = 0;
    DEVINST firstChild = 0;
    DEVINST lastChild = 0;
    DEVINST next = 0;
    DEVINST prev = 0;
};

struct Element {
    DeviceRecord* device = nullptr;
    DEVINST node = 0;  // the node the element was opened on
    GUID classGuid{};  // the device's class when the element was opened
};

struct DevInfoSet {
    std::uint32_t serial = 0;
    std::uintptr_t handle = 0;
    std::optional<GUID> classGuid;  // a set of one class accepts only devices of it
    std::vector<Element> elements;  // SP_DEVINFO_DATA.Reserved is index + 1
    std::map<const DeviceRecord*, std::size_t> indexOf;
    // SetupDiSetClassInstallParamsA bytes by element index.
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
    std::map<std::string, std::unique_ptr<DeviceRecord>, IdLess> devices;
    // Small numbers are left free so that an index never passes for a node.
    static constexpr DEVINST kFirstNode = 0x100;
    std::map<DEVINST, Node> nodes;  // live nodes only: of the tree and of phantoms
    DEVINST nextNode = kFirstNode;
    DEVINST firstRoot = 0;
    DEVINST lastRoot = 0;

    std::map<std::uintptr_t, std::unique_ptr<DevInfoSet>> sets;  // by handle
    std::map<std::uintptr_t, OpenKey> keys;
    std::map<std::uintptr_t, std::uint32_t> infs;
    std::uint32_t setSerial = 0;
    std::uint32_t keySerial = 0;
    std::uint32_t infSerial = 0;

    // The calling thread's last-error code (the machine has one thread).
    DWORD lastError = ERROR_SUCCESS;

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
    Node& At(DEVINST node) { return nodes.at(node); }
    const Node& At(DEVINST node) const { return nodes.at(node); }
    DEVINST NewNode(DeviceRecord& device, bool inTree);
    // The node's number is never handed out again and no call finds it any more.
    void Retire(DEVINST node);
    void AppendChild(DEVINST parent, DEVINST child);
    void Detach(DEVINST node);
    // The subtree of a node in tree order, the node first.
    std::vector<DEVINST> Subtree(DEVINST node) const;
    // Every node of the tree, depth-first, parent before children, children in order.
    template <typename Visit>
    void WalkTree(Visit visit) const {
        for (DEVINST root = firstRoot; root != 0; root = At(root).next) {
            for (const DEVINST node : Subtree(root)) {
                visit(node, At(node));
            }
        }
    }

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
    void Fill(const DevInfoSet& set, std::size_t index, SP_DEVINFO_DATA& data) const;
    OpenKey* FindKey(HKEY key);

    // --- call log and faults ---
    // Records the call (when logging) and returns the fault that fails it, if any.
    const Fault* Enter(bool logging, const char* op, std::string args, std::string_view device);
};

}  // namespace sim
