// Which listed row a HID collection belongs to. A collection is a child of the
// listed device when that device is a HID interface, or a grandchild when the row
// lists a composite device whose interfaces carry the collections. The map is made
// from the device tree for one list and must be made again when the list is rebuilt.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace device {
class TDeviceList;
}  // namespace device

namespace input {

class CollectionRows {
  public:
    CollectionRows() = default;
    // Walks two levels below every listed device.
    explicit CollectionRows(device::TDeviceList& list);

    // The row of a collection's upper-case instance ID, or -1 for a collection of no
    // listed device (another device's, or one that has left).
    int RowOf(const std::string& collectionId) const;
    // The upper-case instance IDs of the collections of one row.
    std::vector<std::string> CollectionsOf(int row) const;

  private:
    std::map<std::string, int> rows_;
};

// The upper-case instance IDs of the HID collections (HID\...) among the children
// and grandchildren of a device: the ones whose reports raw input delivers.
std::vector<std::string> HidCollectionsBelow(DEVINST device);

}  // namespace input
