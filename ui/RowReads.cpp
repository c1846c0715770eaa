#include "ui/RowReads.h"

#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "device/DeviceList.h"
#include "device/Errors.h"

namespace ui {

namespace {

// Reads a value into its place on first need; later asks get what the first read.
template <typename T, typename Read>
const T& Once(std::optional<T>& place, Read read) {
    if (!place) {
        place = read();
    }
    return *place;
}

}  // namespace

RowReads::RowReads(const device::TDeviceList* list, bool processParent)
    : list_(list), processParent_(processParent) {}

int RowReads::Count() const {
    return list_ ? list_->Count() : 0;
}

device::TDevice& RowReads::Listed(int i) {
    if (!list_) {
        // No list is an empty list, with the empty list's error.
        throw device::EDeviceError("TDeviceList.GetDevice(" + std::to_string(i) + ") from 0");
    }
    return list_->GetDevice(i);
}

device::TDevice& RowReads::ToProcess(int i) {
    device::TDevice& listed = Listed(i);
    return processParent_ ? listed.GetParentDevice() : listed;
}

RowReads::DeviceReads& RowReads::Of(device::TDevice& device) {
    return devices_[device.DevInfoData.DevInst];
}

bool RowReads::IsHub(device::TDevice& device) {
    return Once(Of(device).hub, [&] { return device.IsHub(); });
}

std::string RowReads::ParentName(device::TDevice& listed) {
    // The parent's node is asked of each row; its name only once for the rows that
    // share it.
    const DEVINST parent = listed.GetParentDevInst();
    return Once(devices_[parent].nameAsParent, [&] { return listed.GetNamesOf({parent}); });
}

std::string RowReads::CellText(int i, int col) {
    // Both devices first, as the grid always has: a row whose parent cannot be opened
    // raises before any of its cells is read.
    device::TDevice& listed = Listed(i);
    device::TDevice& toProcess = ToProcess(i);
    device::TDevice& device = col < 4 ? listed : toProcess;
    DeviceReads& reads = Of(device);
    switch (col) {
        case 0:
            return Once(reads.description, [&] { return device.GetDescription(); });
        case 1:
            return Once(reads.parentName, [&] { return ParentName(device); });
        case 2:
            return Once(reads.childNames, [&] { return device.GetChildNames(); });
        case 3:
            return YesNoText[Once(reads.mouseParent, [&] { return device.IsMouseParent(); })];
        case 4:
            return YesNoText[Once(reads.filter, [&] { return config::HasFilter(device); })];
        case 5:
            return config::RateNames.at(static_cast<std::size_t>(
                Once(reads.rateIndex, [&] { return config::ReadRateIndex(device); })));
        default:
            return {};
    }
}

RowMarking RowReads::Marking(int i) {
    device::TDevice& device = ToProcess(i);
    const config::HubTest isHub = [this](device::TDevice& asked) { return IsHub(asked); };
    if (config::AsksHubQuestion(device, isHub)) {
        return RowMarking::Hub;
    }
    return config::AsksUsefulnessQuestion(device, isHub) ? RowMarking::None : RowMarking::HubParent;
}

}  // namespace ui
