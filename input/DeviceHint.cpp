#include "input/DeviceHint.h"

#include <cstring>
#include <vector>

#include "device/Device.h"
#include "input/InterfaceName.h"
#include "platform/Platform.h"

namespace input {

namespace {

// {540B947E-8B40-45BC-A8A2-6A0B894CBDA2}, 4.
constexpr DEVPROPKEY kBusReportedDeviceDesc = {
    {0x540b947e, 0x8b40, 0x45bc, {0xa8, 0xa2, 0x6a, 0x0b, 0x89, 0x4c, 0xbd, 0xa2}}, 4};
// Product strings are at most 126 UTF-16 units; this leaves room for odd devices.
constexpr DWORD kNameBufferBytes = 1024;

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// The four hex digits after `key` in an upper-case ID, or empty.
std::string FourHexAfter(const std::string& id, const char* key) {
    const std::size_t at = id.find(key);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + std::strlen(key);
    if (start + 4 > id.size()) {
        return {};
    }
    for (std::size_t i = start; i < start + 4; ++i) {
        if (!IsHex(id[i])) {
            return {};
        }
    }
    // "VID_046D0" is no ID of four digits.
    if (start + 4 < id.size() && IsHex(id[start + 4])) {
        return {};
    }
    return id.substr(start, 4);
}

std::optional<std::string> ToAnsi(const WCHAR* text, int units, DWORD flags,
                                  bool* usedDefault = nullptr) {
    BOOL defaulted = FALSE;
    LPBOOL defaultedOut = usedDefault != nullptr ? &defaulted : nullptr;
    const int size =
        plat::WideCharToMultiByte(CP_ACP, flags, text, units, nullptr, 0, nullptr, defaultedOut);
    if (size <= 0) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    if (plat::WideCharToMultiByte(CP_ACP, flags, text, units, out.data(), size, nullptr,
                                  defaultedOut) != size) {
        return std::nullopt;
    }
    if (usedDefault != nullptr) {
        *usedDefault = defaulted != FALSE;
    }
    return out;
}

}  // namespace

std::optional<UsbIds> UsbIdsOf(const std::string& hardwareIds) {
    std::size_t start = 0;
    while (start < hardwareIds.size()) {
        const std::size_t end = std::min(hardwareIds.find('\0', start), hardwareIds.size());
        const std::string id = base::UpperAscii(hardwareIds.substr(start, end - start));
        std::string vid = FourHexAfter(id, "VID_");
        if (!vid.empty()) {
            return UsbIds{vid, FourHexAfter(id, "PID_")};
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> BusReportedName(device::TDevice& device) {
    // Looked up on every call, like the other late-bound functions: Windows XP's
    // SetupApi.dll has no such export.
    const FARPROC entry =
        plat::GetProcAddress(plat::GetModuleHandleA("setupapi.dll"), "SetupDiGetDevicePropertyW");
    if (entry == nullptr) {
        return std::nullopt;
    }
    const auto getProperty =
        reinterpret_cast<plat::SetupDiGetDevicePropertyWFn>(reinterpret_cast<void (*)()>(entry));
    std::vector<WCHAR> buffer(kNameBufferBytes / sizeof(WCHAR) + 1, 0);
    DEVPROPTYPE type = 0;
    DWORD required = 0;
    if (getProperty(device.DevInfoSet, &device.DevInfoData, &kBusReportedDeviceDesc, &type,
                    reinterpret_cast<PBYTE>(buffer.data()), kNameBufferBytes, &required,
                    0) == FALSE ||
        type != DEVPROP_TYPE_STRING) {
        return std::nullopt;
    }
    // The buffer's last unit stays NUL whatever the platform wrote.
    int units = 0;
    while (buffer[static_cast<std::size_t>(units)] != 0) {
        ++units;
    }
    // Trailing blanks are common in product strings.
    while (units > 0 && buffer[static_cast<std::size_t>(units - 1)] == ' ') {
        --units;
    }
    if (units == 0) {
        return std::nullopt;
    }
    return ToAnsi(buffer.data(), units, 0);
}

std::string HintDash() {
    const WCHAR emDash = 0x2014;
    bool usedDefault = true;
    const std::optional<std::string> dash = ToAnsi(&emDash, 1, WC_NO_BEST_FIT_CHARS, &usedDefault);
    return dash && !usedDefault ? " " + *dash + " " : " - ";
}

std::string HintText(const std::optional<std::string>& name, const std::optional<UsbIds>& ids,
                     const std::string& dash) {
    std::string text = name ? *name : "No name reported";
    if (!ids) {
        return text + dash + "no VID or PID";
    }
    text += dash + "VID " + ids->vid;
    if (!ids->pid.empty()) {
        text += ", PID " + ids->pid;
    }
    return text;
}

std::string DeviceHint(device::TDevice& device) {
    return HintText(BusReportedName(device), UsbIdsOf(device.GetHardwareIds()), HintDash());
}

}  // namespace input
