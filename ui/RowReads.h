// RowReads: what the device grid's rows show, read from the platform on first need
// and then kept for as long as the object lives. The grid makes one for each paint
// and drops it when the paint ends, so a paint asks Windows about each device once
// (however many of its cells show that device, and however many rows share a parent
// hub) and still shows what Windows holds at the moment it paints: nothing read here
// outlives the paint. Anything else that must say what a row shows, in the same
// words as its cells, reads through one of these too.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>

#include "platform/WinTypes.h"

namespace device {
class TDevice;
class TDeviceList;
}  // namespace device

namespace ui {

inline constexpr std::array<const char*, 6> ColumnTitles = {
    "Device Name", "Parent Name", "Child Name(s)", "Mouse?", "Filter?", "Rate"};
inline constexpr std::array<const char*, 2> YesNoText = {"No", "Yes"};

// The marking colour of a row: the answers to the questions a check of "Filter On
// Device" would ask about the device to process.
enum class RowMarking { None, Hub, HubParent };

class RowReads {
  public:
    // list may be null (no list is an empty one). processParent: whether each row's
    // device to process is its listed device's parent.
    RowReads(const device::TDeviceList* list, bool processParent);

    int Count() const;
    // The row's listed device, and its device to process. The device to process
    // opens the parent while processParent is set, so it raises
    // EDeviceError("GetParentDevice.GetDevInfoByDevInst") when that fails.
    device::TDevice& Listed(int i);
    device::TDevice& ToProcess(int i);

    // A data cell's text: columns 0 to 3 describe the listed device, 4 and 5 the
    // device to process.
    std::string CellText(int i, int col);
    // The row's marking. The parent of the device to process is asked about only when
    // that device is no hub; opening it raises as ToProcess does.
    RowMarking Marking(int i);

  private:
    // Each device's answers, by device node: rows that share a device share them.
    struct DeviceReads {
        std::optional<std::string> description;
        std::optional<std::string> parentName;
        std::optional<std::string> nameAsParent;  // what a child row shows as its parent's
        std::optional<std::string> childNames;
        std::optional<bool> mouseParent;
        std::optional<bool> hub;
        std::optional<bool> filter;
        std::optional<int> rateIndex;
    };
    DeviceReads& Of(device::TDevice& device);
    bool IsHub(device::TDevice& device);
    // What TDevice::GetParentName reads, shared by the rows of one parent.
    std::string ParentName(device::TDevice& listed);

    const device::TDeviceList* list_;
    bool processParent_;
    std::map<DEVINST, DeviceReads> devices_;
};

}  // namespace ui
