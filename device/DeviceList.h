// TDeviceList: the devices the window shows, found by enumeration and kept in
// enumeration order. It owns the devices and the two sets they refer to: the
// enumeration set and the related set into which devices open parents and children.
#pragma once

#include "device/DevInfoSetHandle.h"
#include "device/Device.h"
#include "device/ObjectList.h"

namespace device {

class TDeviceList : public TObjectList<TDevice> {
  public:
    // Enumerates and filters. Raises EDeviceError("SetupDiGetClassDevs") or
    // EDeviceError("SetupDiCreateDeviceInfoList"), leaving no set behind.
    TDeviceList(bool MiceOnly, bool AllDevices);
    // Releases both sets first, then the devices (the base class frees them).
    ~TDeviceList() override;

    // The device at index, still owned by the list. Raises
    // "TDeviceList.GetDevice(%d) from %d" or the list's bounds error.
    TDevice& GetDevice(int index) const;

    HDEVINFO EnumerationSet() const { return DevInfoSet.get(); }
    HDEVINFO Related() const { return RelatedSet.get(); }

  private:
    DevInfoSetHandle DevInfoSet;
    DevInfoSetHandle RelatedSet;
};

}  // namespace device
