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

// "USB" names the devices whose first path component is USB (a text with a backslash
// names one device by its instance ID, and is not asked here). Letter case is not
// significant.
bool EnumeratorMatches(std::string_view enumerator, const sim::Kind& kind) {
    return enumerator.empty() || sim::EqualNoCase(kind.bus, enumerator);
}

bool ExposesInterface(const DeviceRecord& device, const GUID* interfaceClass) {
    if (!device.hasInterfaces || interfaceClass == nullptr) {
        return device.hasInterfaces;
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
        return FALSE;
    }
    const auto needed = static_cast<DWORD>(count);
    if (required != nullptr) {
        *required = needed;
    }
    if (needed > size) {
        return FALSE;
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
    const bool oneDevice = enumerator.find('\\') != std::string_view::npos;
    DeviceRecord* named = oneDevice ? s.Find(enumerator) : nullptr;
    if (sim::EnterCall(
            "SetupDiGetClassDevsA",
            [&] {
                return "class=" + sim::GuidArg(ClassGuid) + " enum=" + sim::TextArg(Enumerator) +
                       " hwnd=" + sim::HandleArg(hwndParent) + " flags=" + sim::HexNumber(Flags);
            },
            named != nullptr ? std::string_view(named->instanceId)
                             : (oneDevice ? enumerator : kNoDevice))) {
        return INVALID_HANDLE_VALUE;
    }
    const bool allClasses = (Flags & DIGCF_ALLCLASSES) != 0;
    const bool interfaces = (Flags & DIGCF_DEVICEINTERFACE) != 0;
    const bool presentOnly = (Flags & DIGCF_PRESENT) != 0;
    if (ClassGuid == nullptr && !allClasses) {
        return INVALID_HANDLE_VALUE;
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
    const auto handle = sim::MakeHandle<HDEVINFO>(set.handle);
    if (oneDevice) {
        if (named != nullptr && wanted(*named)) {
            s.Append(set, *named, named->node);
        }
        return handle;
    }
    // The kinds of node the query takes, so that the walk reads a device only to ask
    // for its interfaces. Nodes of the tree are present ones.
    std::vector<bool> kindWanted(s.kinds.size());
    for (std::size_t k = 0; k < s.kinds.size(); ++k) {
        const sim::Kind& kind = s.kinds[k];
        kindWanted[k] = EnumeratorMatches(enumerator, kind) &&
                        (interfaces || filter == nullptr || sim::SameGuid(kind.classGuid, *filter));
    }
    auto takes = [&](const DeviceRecord& device, std::uint16_t kind) {
        return kindWanted[kind] && (!interfaces || ExposesInterface(device, filter));
    };
    // Each device is met once: the tree holds the present ones, the phantoms follow.
    s.WalkTree([&](DEVINST number, const sim::Node& node) {
        if (takes(*node.device, node.kind)) {
            s.Append(set, *node.device, number);
        }
    });
    if (!presentOnly) {
        std::vector<DeviceRecord*> phantoms;
        for (const auto& device : s.devices.Records()) {
            if (!device->present && takes(*device, s.At(device->node).kind)) {
                phantoms.push_back(device.get());
            }
        }
        std::sort(
            phantoms.begin(), phantoms.end(),
            [](const DeviceRecord* a, const DeviceRecord* b) { return a->sequence < b->sequence; });
        for (DeviceRecord* device : phantoms) {
            s.Append(set, *device, device->node);
        }
    }
    return handle;
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
    if (!inRange || !ValidRecord(DeviceInfoData)) {
        return FALSE;
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
    return s.DestroySet(DeviceInfoSet) ? TRUE : FALSE;
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
    if (set == nullptr || device == nullptr) {
        return FALSE;
    }
    if (DeviceInfoData != nullptr && !ValidRecord(DeviceInfoData)) {
        return FALSE;
    }
    if (set->classGuid && !sim::SameGuid(*set->classGuid, device->classGuid)) {
        return FALSE;
    }
    const std::size_t index = s.Open(*set, *device);
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
        return FALSE;
    }
    const auto& properties = target.element->device->properties;
    const auto found = properties.find(Property);
    if (found == properties.end()) {
        return FALSE;
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
        return FALSE;
    }
    auto& properties = target.element->device->properties;
    if (PropertyBuffer == nullptr) {
        if (PropertyBufferSize != 0) {
            return FALSE;
        }
        properties.erase(Property);
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
        return FALSE;
    }
    const std::string& id = target.element->device->instanceId;
    // The terminator is part of the ID's bytes.
    if (!CopyOut(id.c_str(), id.size() + 1, reinterpret_cast<PBYTE>(DeviceInstanceId),
                 DeviceInstanceIdSize, RequiredSize)) {
        return FALSE;
    }
    s.recentlyNamed = target.element->device;
    return TRUE;
}

}  // namespace plat
