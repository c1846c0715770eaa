// The device-installation and configuration-manager functions of the seam, answered
// from the current simulated machine.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Platform.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

using sim::Current;
using sim::DeviceRecord;
using sim::DevInfoSet;
using sim::Machine;

namespace {

// An enumerator names the devices whose instance ID begins with its components: "USB"
// is not "USBSTOR", and "USB\\VID_1" is not "USB\\VID_10". Letter case is not
// significant.
bool EnumeratorMatches(std::string_view enumerator, std::string_view instanceId) {
    if (enumerator.empty()) {
        return true;
    }
    return instanceId.size() >= enumerator.size() &&
           sim::EqualNoCase(instanceId.substr(0, enumerator.size()), enumerator) &&
           (instanceId.size() == enumerator.size() || instanceId[enumerator.size()] == '\\');
}

bool ExposesInterface(const DeviceRecord& device, const GUID* interfaceClass) {
    if (interfaceClass == nullptr) {
        return !device.interfaces.empty();
    }
    return std::any_of(device.interfaces.begin(), device.interfaces.end(),
                       [&](const GUID& g) { return sim::SameGuid(g, *interfaceClass); });
}

bool ValidRecord(const SP_DEVINFO_DATA* data) {
    return data != nullptr && data->cbSize == sizeof(SP_DEVINFO_DATA);
}

constexpr std::string_view kNoDevice;

std::string CbSizeArg(const SP_DEVINFO_DATA* data) {
    return data != nullptr ? std::to_string(data->cbSize) : "null";
}

// Copies bytes out under the platform's buffer rules: the required size is reported
// whenever asked for, the buffer is written only when everything fits.
BOOL CopyOut(const char* bytes, std::size_t count, PBYTE buffer, DWORD size, PDWORD required) {
    if (buffer == nullptr && size != 0) {
        return sim::Fail(ERROR_INVALID_USER_BUFFER, FALSE);
    }
    const auto needed = static_cast<DWORD>(count);
    if (required != nullptr) {
        *required = needed;
    }
    if (needed > size) {
        return sim::Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    if (needed != 0) {
        std::memcpy(buffer, bytes, needed);
    }
    return TRUE;
}

bool IsMultiStringProperty(DWORD property) {
    return property == SPDRP_HARDWAREID || property == SPDRP_COMPATIBLEIDS ||
           property == SPDRP_UPPERFILTERS || property == SPDRP_LOWERFILTERS;
}

}  // namespace

namespace plat {

HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, PCSTR Enumerator, HWND hwndParent,
                              DWORD Flags) {
    Machine::State& s = sim::CurrentState();
    const std::string_view enumerator = Enumerator != nullptr ? Enumerator : "";
    DeviceRecord* named = s.Find(enumerator);
    if (sim::EnterCall(
            "SetupDiGetClassDevsA",
            [&] {
                return "class=" + sim::GuidArg(ClassGuid) + " enum=" + sim::TextArg(Enumerator) +
                       " hwnd=" + sim::HandleArg(hwndParent) + " flags=" + sim::HexNumber(Flags);
            },
            named != nullptr ? std::string_view(named->instanceId) : kNoDevice)) {
        return INVALID_HANDLE_VALUE;
    }
    const bool allClasses = (Flags & DIGCF_ALLCLASSES) != 0;
    const bool interfaces = (Flags & DIGCF_DEVICEINTERFACE) != 0;
    const bool presentOnly = (Flags & DIGCF_PRESENT) != 0;
    if (ClassGuid == nullptr && !allClasses) {
        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    // Interfaces are asked of one device, never of a bus.
    if (interfaces && !enumerator.empty() && named == nullptr) {
        return sim::Fail(ERROR_INVALID_DATA, INVALID_HANDLE_VALUE);
    }
    const GUID* filter = allClasses ? nullptr : ClassGuid;
    auto wanted = [&](const DeviceRecord& device) {
        if (presentOnly && !device.present) {
            return false;
        }
        if (interfaces) {
            return ExposesInterface(device, filter);
        }
        return filter == nullptr || sim::SameGuid(device.classGuid, *filter);
    };

    std::optional<GUID> setClass;
    if (!interfaces && filter != nullptr) {
        setClass = *filter;
    }
    DevInfoSet& set = s.NewSet(setClass);
    // The devices an enumerator names are neighbours in the listing order, from the
    // first whose ID is not below the enumerator's.
    for (auto at = s.devices.lower_bound(enumerator);
         at != s.devices.end() && EnumeratorMatches(enumerator, at->first); ++at) {
        if (wanted(*at->second)) {
            s.Open(set, *at->second);
        }
    }
    return sim::MakeHandle<HDEVINFO>(set.handle);
}

HDEVINFO SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent) {
    if (sim::EnterCall("SetupDiCreateDeviceInfoList", [&] {
            return "class=" + sim::GuidArg(ClassGuid) + " hwnd=" + sim::HandleArg(hwndParent);
        })) {
        return INVALID_HANDLE_VALUE;
    }
    std::optional<GUID> setClass;
    if (ClassGuid != nullptr) {
        setClass = *ClassGuid;
    }
    return sim::MakeHandle<HDEVINFO>(sim::CurrentState().NewSet(setClass).handle);
}

BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                           PSP_DEVINFO_DATA DeviceInfoData) {
    Machine::State& s = sim::CurrentState();
    DevInfoSet* set = s.FindSet(DeviceInfoSet);
    const bool inRange = set != nullptr && MemberIndex < set->elements.size();
    if (sim::EnterCall(
            "SetupDiEnumDeviceInfo",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) +
                       " index=" + std::to_string(MemberIndex) +
                       " cbSize=" + CbSizeArg(DeviceInfoData);
            },
            [&] {
                return inRange ? std::string_view(set->elements[MemberIndex].device->instanceId)
                               : kNoDevice;
            })) {
        return FALSE;
    }
    if (set == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (DeviceInfoData == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (!ValidRecord(DeviceInfoData)) {
        return sim::Fail(ERROR_INVALID_USER_BUFFER, FALSE);
    }
    if (!inRange) {
        return sim::Fail(ERROR_NO_MORE_ITEMS, FALSE);
    }
    s.Fill(*set, MemberIndex, *DeviceInfoData);
    return TRUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
    Machine::State& s = sim::CurrentState();
    if (sim::EnterCall("SetupDiDestroyDeviceInfoList",
                       [&] { return "set=" + sim::SetArg(s, DeviceInfoSet); })) {
        return FALSE;
    }
    return s.DestroySet(DeviceInfoSet) ? TRUE : sim::Fail(ERROR_INVALID_HANDLE, FALSE);
}

BOOL SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, PCSTR DeviceInstanceId, HWND hwndParent,
                            DWORD OpenFlags, PSP_DEVINFO_DATA DeviceInfoData) {
    Machine::State& s = sim::CurrentState();
    DeviceRecord* device = DeviceInstanceId != nullptr ? s.Find(DeviceInstanceId) : nullptr;
    if (sim::EnterCall(
            "SetupDiOpenDeviceInfoA",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) +
                       " id=" + sim::TextArg(DeviceInstanceId) +
                       " hwnd=" + sim::HandleArg(hwndParent) +
                       " flags=" + sim::HexNumber(OpenFlags) +
                       " cbSize=" + CbSizeArg(DeviceInfoData);
            },
            [&] {
                return device != nullptr             ? std::string_view(device->instanceId)
                       : DeviceInstanceId != nullptr ? std::string_view(DeviceInstanceId)
                                                     : std::string_view("null");
            })) {
        return FALSE;
    }
    DevInfoSet* set = s.FindSet(DeviceInfoSet);
    if (set == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (DeviceInstanceId == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (device == nullptr) {
        return sim::Fail(ERROR_NO_SUCH_DEVINST, FALSE);
    }
    if (set->classGuid && !sim::SameGuid(*set->classGuid, device->classGuid)) {
        return sim::Fail(ERROR_CLASS_MISMATCH, FALSE);
    }
    // The device joins the set before the caller's record is checked, so a record of
    // the wrong size fails the call but not the opening.
    const std::size_t index = s.Open(*set, *device);
    if (DeviceInfoData != nullptr && !ValidRecord(DeviceInfoData)) {
        return sim::Fail(ERROR_INVALID_USER_BUFFER, FALSE);
    }
    if (DeviceInfoData != nullptr) {
        s.Fill(*set, index, *DeviceInfoData);
    }
    return TRUE;
}

BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, PDWORD PropertyRegDataType,
                                       PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                       PDWORD RequiredSize) {
    Machine::State& s = sim::CurrentState();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiGetDeviceRegistryPropertyA",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) +
                       " property=" + sim::HexNumber(Property) +
                       " size=" + std::to_string(PropertyBufferSize);
            },
            target.device)) {
        return FALSE;
    }
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), FALSE);
    }
    const auto& properties = target.element->device->properties;
    const auto found = properties.find(Property);
    if (found == properties.end()) {
        return sim::Fail(ERROR_INVALID_DATA, FALSE);
    }
    if (PropertyRegDataType != nullptr) {
        *PropertyRegDataType = found->second.type;
    }
    const std::string& data = found->second.data;
    return CopyOut(data.data(), data.size(), PropertyBuffer, PropertyBufferSize, RequiredSize);
}

BOOL SetupDiSetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, const BYTE* PropertyBuffer,
                                       DWORD PropertyBufferSize) {
    Machine::State& s = sim::CurrentState();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiSetDeviceRegistryPropertyA",
            [&] {
                const std::string data = PropertyBuffer != nullptr
                                             ? sim::HexBytes(PropertyBuffer, PropertyBufferSize)
                                             : std::string("null");
                return "set=" + sim::SetArg(s, DeviceInfoSet) +
                       " property=" + sim::HexNumber(Property) +
                       " size=" + std::to_string(PropertyBufferSize) + " data=" + data;
            },
            target.device)) {
        return FALSE;
    }
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), FALSE);
    }
    auto& properties = target.element->device->properties;
    if (PropertyBuffer == nullptr) {
        if (PropertyBufferSize != 0) {
            return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
        }
        // Removing a property the device does not have is refused.
        if (properties.erase(Property) == 0) {
            return sim::Fail(ERROR_INVALID_DATA, FALSE);
        }
        return TRUE;
    }
    properties[Property] = sim::RegValue{
        static_cast<DWORD>(IsMultiStringProperty(Property) ? REG_MULTI_SZ : REG_SZ),
        std::string(reinterpret_cast<const char*>(PropertyBuffer), PropertyBufferSize)};
    return TRUE;
}

BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 PSTR DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                 PDWORD RequiredSize) {
    Machine::State& s = sim::CurrentState();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiGetDeviceInstanceIdA",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) +
                       " size=" + std::to_string(DeviceInstanceIdSize);
            },
            target.device)) {
        return FALSE;
    }
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), FALSE);
    }
    const std::string& id = target.element->device->instanceId;
    // The terminator is part of the ID's bytes.
    return CopyOut(id.c_str(), id.size() + 1, reinterpret_cast<PBYTE>(DeviceInstanceId),
                   DeviceInstanceIdSize, RequiredSize);
}

}  // namespace plat
