#include "device/DevInfo.h"

#include <algorithm>

#include "device/DevInfoSetHandle.h"
#include "platform/Platform.h"

namespace device {

namespace guids {
const GUID GUID_DEVCLASS_HIDCLASS = {
    0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
const GUID GUID_DEVCLASS_MOUSE = {
    0x4D36E96F, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
const GUID GUID_DEVINTERFACE_USB_HUB = {
    0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};
}  // namespace guids

namespace {

// Most values are a few dozen bytes, so a read first tries a buffer on the stack. Only
// when the platform reports that a value of up to kReadBufferSize bytes did not fit is
// it read again through the full buffer, which then holds whatever the value is by
// that time. A longer value is never read: it reads as empty, as it would through the
// full buffer.
constexpr DWORD kFirstTrySize = 1024;

// The reported size counts the final NUL; a success that reports nothing reads empty.
std::string CutToRequiredSize(const char* bytes, DWORD bufferSize, DWORD requiredSize) {
    if (requiredSize == 0) {
        return {};
    }
    return std::string(bytes, std::min<DWORD>(requiredSize - 1, bufferSize));
}

// `read(buffer, size, &required)` makes one platform call.
template <typename Read>
std::string ReadThroughBuffer(Read read) {
    char small[kFirstTrySize];
    DWORD requiredSize = 0;
    if (read(small, kFirstTrySize, &requiredSize)) {
        return CutToRequiredSize(small, kFirstTrySize, requiredSize);
    }
    if (requiredSize <= kFirstTrySize || requiredSize > kReadBufferSize) {
        return {};
    }
    std::string full(kReadBufferSize, '\0');
    requiredSize = 0;
    if (!read(full.data(), kReadBufferSize, &requiredSize)) {
        return {};
    }
    return CutToRequiredSize(full.data(), kReadBufferSize, requiredSize);
}

}  // namespace

std::string ReadPropertyString(HDEVINFO set, SP_DEVINFO_DATA& element, DWORD property) {
    return ReadThroughBuffer([&](char* buffer, DWORD size, DWORD* requiredSize) {
        DWORD dataType = 0;
        return plat::SetupDiGetDeviceRegistryPropertyA(set, &element, property, &dataType,
                                                       reinterpret_cast<PBYTE>(buffer), size,
                                                       requiredSize) != FALSE;
    });
}

std::string ReadInstanceId(HDEVINFO set, SP_DEVINFO_DATA& element) {
    return ReadThroughBuffer([&](char* buffer, DWORD size, DWORD* requiredSize) {
        return plat::SetupDiGetDeviceInstanceIdA(set, &element, buffer, size, requiredSize) !=
               FALSE;
    });
}

bool GetDevInfoByDevInst(HDEVINFO set, SP_DEVINFO_DATA& element, DEVINST node) {
    // Node 0 (what a device without a parent reports) never names a device. Some
    // platforms answer for it anyway with an unrelated device, so it is not asked.
    if (node == 0) {
        return false;
    }
    ULONG length = 0;
    if (plat::CM_Get_Device_ID_Size(&length, node, 0) != CR_SUCCESS) {
        return false;
    }
    std::string instanceId(length, '\0');
    // The string's storage holds length + 1 bytes: its own terminator makes room.
    if (plat::CM_Get_Device_IDA(node, instanceId.data(), length + 1, 0) != CR_SUCCESS) {
        return false;
    }
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    return plat::SetupDiOpenDeviceInfoA(set, instanceId.c_str(), nullptr, 0, &element) != FALSE;
}

bool HasDeviceInterface(const std::string& instanceId, const GUID& interfaceClass) {
    if (instanceId.empty()) {
        return false;
    }
    DevInfoSetHandle set(plat::SetupDiGetClassDevsA(&interfaceClass, instanceId.c_str(), nullptr,
                                                    DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.valid()) {
        return false;
    }
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof(SP_DEVINFO_DATA);
    return plat::SetupDiEnumDeviceInfo(set.get(), 0, &element) != FALSE;
}

}  // namespace device
