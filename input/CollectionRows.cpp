#include "input/CollectionRows.h"

#include <array>
#include <vector>

#include "device/DeviceList.h"
#include "input/InterfaceName.h"
#include "platform/Platform.h"

namespace input {

namespace {

// MAX_DEVICE_ID_LEN plus the terminator.
constexpr ULONG kDeviceIdBuffer = 201;

std::string DeviceIdOf(DEVINST node) {
    std::array<char, kDeviceIdBuffer> buffer{};
    if (plat::CM_Get_Device_IDA(node, buffer.data(), kDeviceIdBuffer, 0) != CR_SUCCESS) {
        return {};
    }
    buffer.back() = '\0';
    return base::UpperAscii(buffer.data());
}

std::vector<DEVINST> ChildrenOf(DEVINST parent) {
    std::vector<DEVINST> children;
    DEVINST node = 0;
    if (plat::CM_Get_Child(&node, parent, 0) != CR_SUCCESS) {
        return children;
    }
    // Node 0 never names a device (some platforms report success without writing).
    while (node != 0 && children.size() < 1024) {
        children.push_back(node);
        DEVINST next = 0;
        if (plat::CM_Get_Sibling(&next, node, 0) != CR_SUCCESS) {
            break;
        }
        node = next;
    }
    return children;
}

}  // namespace

CollectionRows::CollectionRows(device::TDeviceList& list) {
    // Children first for every row, so that a device listed itself is never claimed as
    // the grandchild of a listed composite device.
    std::vector<std::vector<DEVINST>> children;
    for (int row = 0; row < list.Count(); ++row) {
        children.push_back(ChildrenOf(list.GetDevice(row).DevInfoData.DevInst));
        for (const DEVINST child : children.back()) {
            rows_.emplace(DeviceIdOf(child), row);
        }
    }
    for (int row = 0; row < list.Count(); ++row) {
        for (const DEVINST child : children[static_cast<std::size_t>(row)]) {
            for (const DEVINST grandchild : ChildrenOf(child)) {
                rows_.emplace(DeviceIdOf(grandchild), row);
            }
        }
    }
    rows_.erase(std::string());
}

int CollectionRows::RowOf(const std::string& collectionId) const {
    const auto found = rows_.find(collectionId);
    return found != rows_.end() ? found->second : -1;
}

std::vector<std::string> HidCollectionsBelow(DEVINST device) {
    std::vector<std::string> ids;
    const auto add = [&ids](DEVINST node) {
        std::string id = DeviceIdOf(node);
        if (id.rfind("HID\\", 0) == 0) {
            ids.push_back(std::move(id));
        }
    };
    for (const DEVINST child : ChildrenOf(device)) {
        add(child);
        for (const DEVINST grandchild : ChildrenOf(child)) {
            add(grandchild);
        }
    }
    return ids;
}

std::vector<std::string> CollectionRows::CollectionsOf(int row) const {
    std::vector<std::string> ids;
    for (const auto& [id, at] : rows_) {
        if (at == row) {
            ids.push_back(id);
        }
    }
    return ids;
}

}  // namespace input
