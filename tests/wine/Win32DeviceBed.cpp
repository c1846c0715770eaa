#include "tests/wine/Win32DeviceBed.h"

#include <cstdio>
#include <stdexcept>

#include "device/DevInfo.h"
#include "device/DevInfoSetHandle.h"
#include "tests/wine/RegKey.h"

using winbed::OpenKey;
using winbed::RegKey;

namespace {

const std::string kEnumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kClassRoot = "SYSTEM\\CurrentControlSet\\Control\\Class\\";

[[noreturn]] void Fail(const std::string& what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(::GetLastError()));
    throw std::runtime_error(what + " failed with " + code);
}

std::string MultiString(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += '\0';
    }
    return bytes + '\0';
}

std::optional<BedValue> QueryValue(HKEY key, const std::string& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                           &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    bytes.resize(size);
    return BedValue{type, bytes};
}

void SetValue(HKEY key, const std::string& name, const BedValue& value) {
    const LSTATUS status = ::RegSetValueExA(key, name.c_str(), 0, value.type,
                                            reinterpret_cast<const BYTE*>(value.bytes.data()),
                                            static_cast<DWORD>(value.bytes.size()));
    if (status != ERROR_SUCCESS) {
        ::SetLastError(static_cast<DWORD>(status));
        Fail("RegSetValueExA " + name);
    }
}

// The device's hardware key under Enum, where SetupAPI keeps its properties.
RegKey OpenEnumKey(const std::string& instanceId, REGSAM access) {
    return OpenKey(HKEY_LOCAL_MACHINE, kEnumRoot + instanceId, access);
}

// The driver key, found as SetupAPI finds it: through the device's "Driver" value.
RegKey OpenDriverKey(const std::string& instanceId, REGSAM access) {
    const RegKey device = OpenEnumKey(instanceId, KEY_READ);
    if (!device) {
        return RegKey();
    }
    const auto driver = QueryValue(device.get(), "Driver");
    if (!driver || driver->type != REG_SZ) {
        return RegKey();
    }
    return OpenKey(HKEY_LOCAL_MACHINE, kClassRoot + driver->bytes.c_str(), access);
}

void SetProperty(HDEVINFO set, SP_DEVINFO_DATA& element, DWORD property, const std::string& bytes) {
    if (!::SetupDiSetDeviceRegistryPropertyA(set, &element, property,
                                             reinterpret_cast<const BYTE*>(bytes.data()),
                                             static_cast<DWORD>(bytes.size()))) {
        Fail("SetupDiSetDeviceRegistryPropertyA");
    }
}

// Wine's ntdll exports its version; Windows' does not.
bool RunningOnWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

// Created devices would outlive the test in the prefix's registry; each one is
// removed through the class installer, as a device manager would remove it.
Win32DeviceBed::~Win32DeviceBed() {
    for (auto id = created_.rbegin(); id != created_.rend(); ++id) {
        device::DevInfoSetHandle set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
        SP_DEVINFO_DATA element{};
        element.cbSize = sizeof element;
        if (set.valid() && ::SetupDiOpenDeviceInfoA(set.get(), id->c_str(), nullptr, 0, &element)) {
            ::SetupDiCallClassInstaller(DIF_REMOVE, set.get(), &element);
        }
    }
}

void Win32DeviceBed::Add(const BedDevice& device) {
    device::DevInfoSetHandle set(::SetupDiCreateDeviceInfoList(&device.classGuid, nullptr));
    if (!set.valid()) {
        Fail("SetupDiCreateDeviceInfoList");
    }
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    if (!::SetupDiCreateDeviceInfoA(set.get(), device.instanceId.c_str(), &device.classGuid,
                                    nullptr, nullptr, 0, &element)) {
        Fail("SetupDiCreateDeviceInfoA " + device.instanceId);
    }
    created_.push_back(device.instanceId);
    // Registering turns the new element from a phantom into a present device.
    if (!::SetupDiRegisterDeviceInfo(set.get(), &element, 0, nullptr, nullptr, nullptr)) {
        Fail("SetupDiRegisterDeviceInfo");
    }
    if (device.description) {
        SetProperty(set.get(), element, SPDRP_DEVICEDESC, *device.description + '\0');
    }
    if (!device.hardwareIds.empty()) {
        SetProperty(set.get(), element, SPDRP_HARDWAREID, MultiString(device.hardwareIds));
    }
    if (device.driverKey) {
        const HKEY key = ::SetupDiCreateDevRegKeyA(set.get(), &element, DICS_FLAG_GLOBAL, 0,
                                                   DIREG_DRV, nullptr, nullptr);
        if (key == INVALID_HANDLE_VALUE) {
            Fail("SetupDiCreateDevRegKeyA");
        }
        RegKey owned(key);
    }
    if (device.hubInterface) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!::SetupDiCreateDeviceInterfaceA(set.get(), &element,
                                             &device::guids::GUID_DEVINTERFACE_USB_HUB, nullptr, 0,
                                             &interfaceData)) {
            Fail("SetupDiCreateDeviceInterfaceA");
        }
    }
}

std::optional<BedValue> Win32DeviceBed::LowerFilters(const std::string& instanceId) {
    const RegKey key = OpenEnumKey(instanceId, KEY_READ);
    return key ? QueryValue(key.get(), "LowerFilters") : std::nullopt;
}

void Win32DeviceBed::SetLowerFilters(const std::string& instanceId, const BedValue& value) {
    const RegKey key = OpenEnumKey(instanceId, KEY_SET_VALUE);
    if (!key) {
        Fail("opening the Enum key of " + instanceId);
    }
    SetValue(key.get(), "LowerFilters", value);
}

std::optional<BedValue> Win32DeviceBed::DriverValue(const std::string& instanceId,
                                                    const std::string& name) {
    const RegKey key = OpenDriverKey(instanceId, KEY_READ);
    return key ? QueryValue(key.get(), name) : std::nullopt;
}

void Win32DeviceBed::SetDriverValue(const std::string& instanceId, const std::string& name,
                                    const BedValue& value) {
    const RegKey key = OpenDriverKey(instanceId, KEY_SET_VALUE);
    if (!key) {
        Fail("opening the driver key of " + instanceId);
    }
    SetValue(key.get(), name, value);
}

bool Win32DeviceBed::HasDriverKey(const std::string& instanceId) {
    return static_cast<bool>(OpenDriverKey(instanceId, KEY_READ));
}

// Every known departure is Wine's (docs/wine-divergences.md); Windows has none.
bool Win32DeviceBed::Has(Quirk quirk) const {
    switch (quirk) {
        case Quirk::EmptyLowerFiltersKept:
        case Quirk::NodeZeroNamesADevice:
        case Quirk::ChildQuerySucceedsWithoutNode:
        case Quirk::ClassInstallerFails:
        case Quirk::WholeIdEnumeratorListsNothing:
        case Quirk::InterfaceQueryTakesAnyEnumerator:
        case Quirk::KeyOpensWithoutAccess:
            return RunningOnWine();
    }
    return false;
}
