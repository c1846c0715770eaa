#include "device/Device.h"

#include "device/DevInfo.h"
#include "device/Errors.h"
#include "platform/Platform.h"

namespace device {

TDevice::TDevice(HDEVINFO devInfoSet, const SP_DEVINFO_DATA& devInfoData, HDEVINFO relatedSet)
    : DevInfoSet(devInfoSet), DevInfoData(devInfoData), RelatedSet(relatedSet) {}

TDevice::~TDevice() = default;

std::string TDevice::GetDescription() {
    return ReadPropertyString(DevInfoSet, DevInfoData, SPDRP_DEVICEDESC);
}

std::string TDevice::GetInstanceId() {
    return ReadInstanceId(DevInfoSet, DevInfoData);
}

std::string TDevice::GetHardwareIds() {
    return ReadPropertyString(DevInfoSet, DevInfoData, SPDRP_HARDWAREID);
}

DEVINST TDevice::GetParentDevInst() {
    DEVINST parent = 0;
    if (plat::CM_Get_Parent(&parent, DevInfoData.DevInst, 0) != CR_SUCCESS) {
        return 0;
    }
    return parent;
}

TDevice& TDevice::GetParentDevice() {
    if (CachedParent) {
        return *CachedParent;
    }
    SP_DEVINFO_DATA element{};
    if (!GetDevInfoByDevInst(RelatedSet, element, GetParentDevInst())) {
        throw EDeviceError("GetParentDevice.GetDevInfoByDevInst");
    }
    // The parent lives in the related set, and opens its own relatives there too.
    CachedParent = std::make_unique<TDevice>(RelatedSet, element, RelatedSet);
    return *CachedParent;
}

void TDevice::GetChildDevInsts(TDevInstArray& array) {
    // Node 0 never names a device; a platform that reports success without writing
    // the node (as some do for CM_Get_Child) must not add a phantom child.
    DEVINST node = 0;
    if (plat::CM_Get_Child(&node, DevInfoData.DevInst, 0) != CR_SUCCESS || node == 0) {
        return;
    }
    do {
        array.push_back(node);
        DEVINST sibling = 0;
        if (plat::CM_Get_Sibling(&sibling, node, 0) != CR_SUCCESS) {
            break;
        }
        node = sibling;
    } while (node != 0);
}

bool TDevice::HasSetupClass(const GUID& classGuid, DEVINST node) {
    SP_DEVINFO_DATA element{};
    if (!GetDevInfoByDevInst(RelatedSet, element, node)) {
        return false;
    }
    return plat::IsEqualGUID(classGuid, element.ClassGuid) != FALSE;
}

bool TDevice::IsMouseParent() {
    TDevInstArray children;
    GetChildDevInsts(children);
    for (DEVINST child : children) {
        if (HasSetupClass(guids::GUID_DEVCLASS_MOUSE, child)) {
            return true;
        }
    }
    return false;
}

bool TDevice::IsHub() {
    return HasDeviceInterface(GetInstanceId(), guids::GUID_DEVINTERFACE_USB_HUB);
}

std::string TDevice::GetNamesOf(const TDevInstArray& nodes) {
    std::string result;
    for (DEVINST node : nodes) {
        SP_DEVINFO_DATA element{};
        if (!GetDevInfoByDevInst(RelatedSet, element, node)) {
            continue;
        }
        std::string description = ReadPropertyString(RelatedSet, element, SPDRP_DEVICEDESC);
        // The separator depends on the text so far, not on the nodes seen: an empty
        // first name adds nothing, an empty later name still adds "; ".
        if (result.empty()) {
            result = std::move(description);
        } else {
            result += "; ";
            result += description;
        }
    }
    return result;
}

std::string TDevice::GetParentName() {
    return GetNamesOf(TDevInstArray{GetParentDevInst()});
}

std::string TDevice::GetChildNames() {
    TDevInstArray children;
    GetChildDevInsts(children);
    return GetNamesOf(children);
}

}  // namespace device
