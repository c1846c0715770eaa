// Owns one device information set and destroys it with SetupDiDestroyDeviceInfoList.
#pragma once

#include "base/UniqueHandle.h"
#include "platform/Platform.h"

namespace device {

struct DevInfoSetTraits {
    using Handle = HDEVINFO;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle set) { plat::SetupDiDestroyDeviceInfoList(set); }
};

using DevInfoSetHandle = base::UniqueHandle<DevInfoSetTraits>;

}  // namespace device
