// Device access primitives: four small reads over the device-installation services
// and the configuration manager. None of them raises; failures come back as the
// empty string or false and the caller decides what that means.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace device {

// The longest property or instance ID that is read, terminator included. Reads try a
// small buffer first and come to one of this size only for a value that needs it.
inline constexpr DWORD kReadBufferSize = 0x8000;

// The platform GUIDs the inventory uses, under their published names.
namespace guids {
extern const GUID GUID_DEVCLASS_HIDCLASS;     // devices listed in the normal mode
extern const GUID GUID_DEVCLASS_MOUSE;        // a child of this class makes a mouse
extern const GUID GUID_DEVINTERFACE_USB_HUB;  // a device exposing it is a USB hub
}  // namespace guids

// The bytes of one registry property of the element, terminators cut as follows:
// the stored bytes without the final NUL (a multi-string keeps the NUL after every
// entry). Empty when the property is missing, does not fit or the element is stale.
std::string ReadPropertyString(HDEVINFO set, SP_DEVINFO_DATA& element, DWORD property);

// The instance ID of the element without its NUL, or empty.
std::string ReadInstanceId(HDEVINFO set, SP_DEVINFO_DATA& element);

// Opens the device of a node into the set and fills the caller's element.
bool GetDevInfoByDevInst(HDEVINFO set, SP_DEVINFO_DATA& element, DEVINST node);

// Whether the device with this instance ID exposes a present interface of the class.
bool HasDeviceInterface(const std::string& instanceId, const GUID& interfaceClass);

}  // namespace device
