// The registry side of the seam: opening a device's hardware or driver key and the
// value functions on the keys handed out.
//
// A key handle stays usable until it is closed, also across restarts of its device
// (the registry key outlives the device stack). Once the device is unplugged, the
// operations on keys opened before fail with ERROR_KEY_DELETED; closing still works.
#include <cstring>
#include <string_view>

#include "platform/Platform.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

using sim::Machine;

namespace {

constexpr LSTATUS kAccessDenied = ERROR_ACCESS_DENIED;
constexpr LSTATUS kKeyDeleted = ERROR_KEY_DELETED;
constexpr REGSAM kQueryValue = 0x0001;
constexpr REGSAM kSetValue = 0x0002;

HKEY InvalidKey() {
    return static_cast<HKEY>(INVALID_HANDLE_VALUE);
}

std::optional<sim::RegKeyValues>& Storage(sim::DeviceRecord& device, DWORD keyType) {
    return keyType == DIREG_DEV ? device.hardwareKey : device.driverKey;
}

std::string_view DeviceOf(const sim::OpenKey* key) {
    return key != nullptr ? std::string_view(key->device->instanceId) : std::string_view();
}

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string NameArg(PCSTR name) {
    return sim::TextArg(name);
}
std::string ValueName(PCSTR name) {
    return name != nullptr ? name : "";
}

// The values behind a key handle, or an error: unknown handle, missing access right,
// or a device unplugged since the key was opened.
LSTATUS Values(sim::OpenKey* key, REGSAM right, sim::RegKeyValues*& values) {
    if (key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((key->access & right) == 0) {
        return kAccessDenied;
    }
    std::optional<sim::RegKeyValues>& storage = Storage(*key->device, key->keyType);
    if (key->unplugs != key->device->unplugs || !storage) {
        return kKeyDeleted;
    }
    values = &*storage;
    return ERROR_SUCCESS;
}

}  // namespace

namespace plat {

HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope,
                          DWORD HwProfile, DWORD KeyType, REGSAM samDesired) {
    Machine::State& s = sim::CurrentState();
    const sim::Target target = sim::Locate(s, DeviceInfoSet, DeviceInfoData);
    if (sim::EnterCall(
            "SetupDiOpenDevRegKey",
            [&] {
                return "set=" + sim::SetArg(s, DeviceInfoSet) + " scope=" + sim::HexNumber(Scope) +
                       " profile=" + std::to_string(HwProfile) + " key=" + sim::HexNumber(KeyType) +
                       " access=" + sim::HexNumber(samDesired);
            },
            target.device)) {
        return InvalidKey();
    }
    if (target.element == nullptr) {
        return sim::Fail(target.Error(), InvalidKey());
    }
    if ((Scope != DICS_FLAG_GLOBAL && Scope != DICS_FLAG_CONFIGSPECIFIC) ||
        (KeyType != DIREG_DEV && KeyType != DIREG_DRV)) {
        return sim::Fail(ERROR_INVALID_FLAGS, InvalidKey());
    }
    // A key opened for no access at all is refused.
    if (samDesired == 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, InvalidKey());
    }
    if (!sim::Current().elevated && (samDesired & ~static_cast<REGSAM>(KEY_READ)) != 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, InvalidKey());
    }
    sim::DeviceRecord& device = *target.element->device;
    if (!Storage(device, KeyType)) {
        return sim::Fail(ERROR_KEY_DOES_NOT_EXIST, InvalidKey());
    }
    const std::uint32_t serial = ++s.keySerial;
    const std::uintptr_t handle = sim::kKeyHandleBase + serial * sim::kHandleStep;
    s.keys[handle] = sim::OpenKey{serial, &device, KeyType, samDesired, device.unplugs};
    return sim::MakeHandle<HKEY>(handle);
}

LSTATUS RegQueryValueExA(HKEY hKey, PCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData) {
    Machine::State& s = sim::CurrentState();
    sim::OpenKey* key = s.FindKey(hKey);
    auto args = [&] {
        std::string text = "key=" + sim::KeyArg(s, hKey) + " name=" + NameArg(lpValueName) +
                           " size=" + (lpcbData != nullptr ? std::to_string(*lpcbData) : "null");
        if (lpData == nullptr) {
            text += " data=null";
        }
        return text;
    };
    if (sim::EnterCall<sim::Reports::ReturnValue>("RegQueryValueExA", args, DeviceOf(key))) {
        return kAccessDenied;
    }
    sim::RegKeyValues* values = nullptr;
    if (const LSTATUS status = Values(key, kQueryValue, values); status != ERROR_SUCCESS) {
        return status;
    }
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto found = values->find(ValueName(lpValueName));
    if (found == values->end()) {
        // A size query of a missing value reports no bytes.
        if (lpData == nullptr && lpcbData != nullptr) {
            *lpcbData = 0;
        }
        return ERROR_FILE_NOT_FOUND;
    }
    const sim::RegValue& value = found->second;
    if (lpType != nullptr) {
        *lpType = value.type;
    }
    if (lpcbData == nullptr) {
        return ERROR_SUCCESS;
    }
    const auto size = static_cast<DWORD>(value.data.size());
    if (lpData != nullptr && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData != nullptr && size != 0) {
        std::memcpy(lpData, value.data.data(), size);
    }
    // A string stored without its terminator gets one where the buffer has room.
    if (lpData != nullptr && IsString(value.type) && *lpcbData > size &&
        (size == 0 || value.data.back() != '\0')) {
        lpData[size] = 0;
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY hKey, PCSTR lpValueName, DWORD Reserved, DWORD dwType,
                       const BYTE* lpData, DWORD cbData) {
    Machine::State& s = sim::CurrentState();
    sim::OpenKey* key = s.FindKey(hKey);
    auto args = [&] {
        const std::string data =
            lpData != nullptr ? sim::HexBytes(lpData, cbData) : std::string("null");
        return "key=" + sim::KeyArg(s, hKey) + " name=" + NameArg(lpValueName) +
               " reserved=" + std::to_string(Reserved) + " type=" + std::to_string(dwType) +
               " size=" + std::to_string(cbData) + " data=" + data;
    };
    if (sim::EnterCall<sim::Reports::ReturnValue>("RegSetValueExA", args, DeviceOf(key))) {
        return kAccessDenied;
    }
    sim::RegKeyValues* values = nullptr;
    if (const LSTATUS status = Values(key, kSetValue, values); status != ERROR_SUCCESS) {
        return status;
    }
    if (lpData == nullptr && cbData != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    DWORD count = cbData;
    // A string whose size leaves out the NUL that follows it is stored with the NUL,
    // as Windows does: it reads the byte past the given size to tell.
    if (lpData != nullptr && count != 0 && IsString(dwType) && lpData[count - 1] != 0 &&
        lpData[count] == 0) {
        ++count;
    }
    const std::string bytes =
        lpData != nullptr ? std::string(reinterpret_cast<const char*>(lpData), count) : "";
    (*values)[ValueName(lpValueName)] = sim::RegValue{dwType, bytes};
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueA(HKEY hKey, PCSTR lpValueName) {
    Machine::State& s = sim::CurrentState();
    sim::OpenKey* key = s.FindKey(hKey);
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "RegDeleteValueA",
            [&] { return "key=" + sim::KeyArg(s, hKey) + " name=" + NameArg(lpValueName); },
            DeviceOf(key))) {
        return kAccessDenied;
    }
    sim::RegKeyValues* values = nullptr;
    if (const LSTATUS status = Values(key, kSetValue, values); status != ERROR_SUCCESS) {
        return status;
    }
    return values->erase(ValueName(lpValueName)) != 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegCloseKey(HKEY hKey) {
    Machine::State& s = sim::CurrentState();
    if (sim::EnterCall<sim::Reports::ReturnValue>(
            "RegCloseKey", [&] { return "key=" + sim::KeyArg(s, hKey); },
            DeviceOf(s.FindKey(hKey)))) {
        return kAccessDenied;
    }
    return s.keys.erase(sim::HandleValue(hKey)) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace plat
