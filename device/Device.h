// TDevice: one device node of the platform's device tree, as an element of a device
// information set. It answers the window's questions about the device and lends its
// set and element (DevInfoSet, DevInfoData) to the configuration operations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace device {

using TDevInstArray = std::vector<DEVINST>;

class TDevice {
  public:
    // Stores both sets and a copy of the element; makes no platform call.
    TDevice(HDEVINFO devInfoSet, const SP_DEVINFO_DATA& devInfoData, HDEVINFO relatedSet);
    // Frees the parent object if one was made; touches neither set.
    virtual ~TDevice();
    TDevice(const TDevice&) = delete;
    TDevice& operator=(const TDevice&) = delete;

    std::string GetDescription();
    std::string GetInstanceId();
    // The hardware IDs, each followed by its NUL, without the list's closing NUL.
    std::string GetHardwareIds();
    // The parent's node, or 0.
    DEVINST GetParentDevInst();
    // The parent object, made on first request and owned by this device. Raises
    // EDeviceError("GetParentDevice.GetDevInfoByDevInst") when it cannot be opened.
    TDevice& GetParentDevice();
    // Appends the children's nodes, first child first.
    void GetChildDevInsts(TDevInstArray& array);
    bool HasSetupClass(const GUID& classGuid, DEVINST node);
    bool IsMouseParent();
    bool IsHub();
    std::string GetNamesOf(const TDevInstArray& nodes);
    std::string GetParentName();
    std::string GetChildNames();

    // The pair the configuration operations work through.
    HDEVINFO DevInfoSet;
    SP_DEVINFO_DATA DevInfoData;
    HDEVINFO RelatedSet;

  private:
    std::unique_ptr<TDevice> CachedParent;
};

}  // namespace device
