// Input on the simulated machine (see SimInput.h) and the seam's input functions.
#include "platform/sim/SimInput.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>

#include "platform/Platform.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

constexpr std::uintptr_t kRawDeviceBase = 0x01000000;
constexpr std::uintptr_t kRawInputBase = 0x02000000;
constexpr std::uintptr_t kWindowBase = 0x03000000;
constexpr UINT kFailed = static_cast<UINT>(-1);
// {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID interface class, as names carry it.
constexpr const char* kHidInterfaceSuffix = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
// {540B947E-8B40-45BC-A8A2-6A0B894CBDA2}, 4: DEVPKEY_Device_BusReportedDeviceDesc.
constexpr DEVPROPKEY kBusReportedDeviceDesc = {
    {0x540b947e, 0x8b40, 0x45bc, {0xa8, 0xa2, 0x6a, 0x0b, 0x89, 0x4c, 0xbd, 0xa2}}, 4};

struct Report {
    LONGLONG time = 0;
    std::string collection;
};

struct Usage {
    USHORT page = 0;
    USHORT usage = 0;
    DWORD type = RIM_TYPEHID;
};

}  // namespace

struct InputState {
    std::map<std::string, double, NameLess> descriptorIntervals;
    // Per device restarted at least once: the bInterval it started with, if any.
    std::map<std::string, std::optional<std::uint32_t>, NameLess> startedWith;
    std::map<std::string, std::u16string, NameLess> busNames;
    std::set<std::string, NameLess> silentAtStoredRate;
    std::map<std::string, LONGLONG, NameLess> cadence;  // next report of a moving collection
    std::vector<Report> pending;                        // in time order
    std::vector<RAWINPUTDEVICE> registrations;
    LONGLONG clock = 0;
    std::uint32_t random = 12345;
    std::uint32_t inputSerial = 0;
    std::optional<Report> current;     // the report the live HRAWINPUT names
    std::set<std::uintptr_t> windows;  // message-only windows made and not destroyed
    std::uintptr_t windowSerial = 0;
    bool propertyReader = true;
    UINT codePage = 1252;
};

namespace {

InputState& InputOf(Machine& machine) {
    auto& input = machine.state().input;
    if (!input) {
        input = std::make_shared<InputState>();
    }
    return *input;
}

InputState& CurrentInput() {
    return InputOf(Current());
}

bool HasQuorvinFilter(const DeviceRecord& device) {
    const auto found = device.properties.find(SPDRP_LOWERFILTERS);
    if (found == device.properties.end()) {
        return false;
    }
    const std::string& list = found->second.data;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find('\0', start), list.size());
        if (EqualNoCase(std::string_view(list).substr(start, end - start), "quorvin")) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::optional<std::uint32_t> StoredInterval(const DeviceRecord& device) {
    if (!device.driverKey) {
        return std::nullopt;
    }
    const auto found = device.driverKey->find("bInterval");
    if (found == device.driverKey->end() || found->second.type != REG_DWORD ||
        found->second.data.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    std::memcpy(&value, found->second.data.data(), 4);
    if (value == 0 || value > 255) {
        return std::nullopt;
    }
    return value;
}

bool IsCollection(std::string_view id) {
    return id.size() > 4 && EqualNoCase(id.substr(0, 4), "HID\\");
}

Usage UsageOf(const DeviceRecord& device) {
    if (SameGuid(device.classGuid, kClassMouse)) {
        return {1, 2, RIM_TYPEMOUSE};
    }
    if (SameGuid(device.classGuid, kClassKeyboard)) {
        return {1, 6, RIM_TYPEKEYBOARD};
    }
    return {0x0C, 1, RIM_TYPEHID};
}

// The collection a raw-input device handle names while it is present.
DeviceRecord* DeviceOfHandle(Machine::State& state, HANDLE handle) {
    const std::uintptr_t value = HandleValue(handle);
    if (value < kRawDeviceBase + Machine::State::kFirstNode || value >= kRawInputBase) {
        return nullptr;
    }
    Node* node = state.NodeAt(static_cast<DEVINST>(value - kRawDeviceBase));
    if (node == nullptr || !node->inTree || node->device == nullptr ||
        !IsCollection(node->device->instanceId)) {
        return nullptr;
    }
    return node->device;
}

double Jitter(InputState& input) {
    input.random = input.random * 1103515245u + 12345u;
    return (static_cast<double>((input.random >> 16) % 1001) / 1000.0 - 0.5) * 0.1;
}

}  // namespace

void SetDescriptorInterval(Machine& machine, const std::string& collectionId, double ms) {
    InputOf(machine).descriptorIntervals[collectionId] = ms;
}

namespace {

// The bInterval the nearest device above the collection started with under the filter.
std::optional<std::uint32_t> StoredRateAbove(Machine& machine, const std::string& collectionId) {
    InputState& input = InputOf(machine);
    Machine::State& state = machine.state();
    const DeviceRecord& collection = state.Get(collectionId);
    for (const Node* node = state.NodeAt(collection.node);
         node != nullptr && node->inTree && node->parent != 0;) {
        const Node& parent = state.At(node->parent);
        const auto started = input.startedWith.find(parent.device->instanceId);
        if (started != input.startedWith.end() && started->second) {
            return started->second;
        }
        node = &parent;
    }
    return std::nullopt;
}

}  // namespace

double EffectiveInterval(Machine& machine, const std::string& collectionId) {
    if (const std::optional<std::uint32_t> stored = StoredRateAbove(machine, collectionId)) {
        return *stored;
    }
    InputState& input = InputOf(machine);
    const auto own = input.descriptorIntervals.find(collectionId);
    return own != input.descriptorIntervals.end() ? own->second : kDefaultDescriptorInterval;
}

void SetSilentAtStoredRate(Machine& machine, const std::string& collectionId) {
    InputOf(machine).silentAtStoredRate.insert(collectionId);
}

std::vector<std::string> SilentAtStoredRate(Machine& machine) {
    const InputState& input = InputOf(machine);
    return {input.silentAtStoredRate.begin(), input.silentAtStoredRate.end()};
}

void NoteRestart(Machine& machine, const std::string& instanceId) {
    InputState& input = InputOf(machine);
    Machine::State& state = machine.state();
    for (const DEVINST node : state.Subtree(state.Get(instanceId).node)) {
        const DeviceRecord& device = *state.At(node).device;
        input.startedWith[device.instanceId] =
            HasQuorvinFilter(device) ? StoredInterval(device) : std::nullopt;
    }
}

std::map<std::string, std::optional<std::uint32_t>> StartedWith(Machine& machine) {
    const InputState& input = InputOf(machine);
    return {input.startedWith.begin(), input.startedWith.end()};
}

void SetStartedWith(Machine& machine, const std::string& instanceId,
                    std::optional<std::uint32_t> interval) {
    InputOf(machine).startedWith[instanceId] = interval;
}

std::string InterfaceNameOf(const std::string& collectionId) {
    std::string name = "\\\\?\\" + collectionId;
    std::replace(name.begin(), name.end(), '\\', '#');
    name.replace(0, 4, "\\\\?\\");
    const std::size_t instance = name.rfind('#');
    std::transform(name.begin() + static_cast<std::ptrdiff_t>(instance), name.end(),
                   name.begin() + static_cast<std::ptrdiff_t>(instance),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name + kHidInterfaceSuffix;
}

void SetBusReportedName(Machine& machine, const std::string& instanceId,
                        const std::u16string& name) {
    InputOf(machine).busNames[instanceId] = name;
}

std::map<std::string, std::u16string> BusReportedNames(Machine& machine) {
    const auto& names = InputOf(machine).busNames;
    return {names.begin(), names.end()};
}

void SetDevicePropertyReaderPresent(Machine& machine, bool present) {
    InputOf(machine).propertyReader = present;
}

void SetAnsiCodePage(Machine& machine, UINT codePage) {
    InputOf(machine).codePage = codePage;
}

UINT AnsiCodePage(Machine& machine) {
    return InputOf(machine).codePage;
}

LONGLONG Clock(Machine& machine) {
    return InputOf(machine).clock;
}

void SetClock(Machine& machine, LONGLONG ticks) {
    InputState& input = InputOf(machine);
    input.clock = std::max(input.clock, ticks);
}

void Advance(Machine& machine, double milliseconds) {
    SetClock(machine, Clock(machine) + Ticks(milliseconds));
}

void Move(Machine& machine, const std::string& collectionId, double milliseconds) {
    InputState& input = InputOf(machine);
    if (input.silentAtStoredRate.count(collectionId) != 0 &&
        StoredRateAbove(machine, collectionId)) {
        return;
    }
    const LONGLONG interval = Ticks(EffectiveInterval(machine, collectionId));
    const LONGLONG end = input.clock + Ticks(milliseconds);
    LONGLONG& next = input.cadence[collectionId];
    next = std::max(next, input.clock);
    while (next < end) {
        const Report report{next, collectionId};
        input.pending.insert(
            std::upper_bound(input.pending.begin(), input.pending.end(), report,
                             [](const Report& a, const Report& b) { return a.time < b.time; }),
            report);
        next += std::max<LONGLONG>(
            1, static_cast<LONGLONG>(static_cast<double>(interval) * (1.0 + Jitter(input))));
    }
}

std::size_t PendingReports(Machine& machine) {
    return InputOf(machine).pending.size();
}

std::optional<Delivery> DeliverNext(Machine& machine, LONGLONG until) {
    InputState& input = InputOf(machine);
    Machine::State& state = machine.state();
    while (!input.pending.empty() && input.pending.front().time <= until) {
        Report report = input.pending.front();
        input.pending.erase(input.pending.begin());
        SetClock(machine, report.time);
        const DeviceRecord* device = state.Find(report.collection);
        if (device == nullptr || !device->present) {
            continue;
        }
        const Usage usage = UsageOf(*device);
        for (const RAWINPUTDEVICE& registered : input.registrations) {
            if (registered.usUsagePage == usage.page && registered.usUsage == usage.usage) {
                input.current = std::move(report);
                ++input.inputSerial;
                return Delivery{
                    registered.hwndTarget,
                    MakeHandle<HRAWINPUT>(kRawInputBase + input.inputSerial * kHandleStep),
                    RIM_INPUT};
            }
        }
    }
    return std::nullopt;
}

DWORD WaitForInput(Machine& machine, DWORD milliseconds) {
    InputState& input = InputOf(machine);
    if (!input.pending.empty() &&
        (milliseconds == INFINITE ||
         input.pending.front().time <= input.clock + Ticks(milliseconds))) {
        SetClock(machine, input.pending.front().time);
        return WAIT_OBJECT_0;
    }
    if (milliseconds == INFINITE) {
        return WAIT_FAILED;  // nothing would ever come: the simulation cannot wait for ever
    }
    Advance(machine, milliseconds);
    return WAIT_TIMEOUT;
}

std::vector<RAWINPUTDEVICE> Registrations(Machine& machine) {
    return InputOf(machine).registrations;
}

namespace {

BOOL WINAPI SimSetupDiGetDevicePropertyW(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                         const DEVPROPKEY* PropertyKey, DEVPROPTYPE* PropertyType,
                                         PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                         PDWORD RequiredSize, DWORD Flags) {
    Machine::State& state = CurrentState();
    const Target target = Locate(state, DeviceInfoSet, DeviceInfoData);
    if (EnterCall(
            "SetupDiGetDevicePropertyW",
            [&] {
                return "set=" + SetArg(state, DeviceInfoSet) +
                       " key=" + GuidArg(PropertyKey != nullptr ? &PropertyKey->fmtid : nullptr) +
                       " pid=" + std::to_string(PropertyKey != nullptr ? PropertyKey->pid : 0) +
                       " size=" + std::to_string(PropertyBufferSize) + " flags=" + HexNumber(Flags);
            },
            target.device)) {
        return FALSE;
    }
    if (target.element == nullptr || PropertyKey == nullptr || PropertyType == nullptr ||
        Flags != 0 || (PropertyBuffer == nullptr && PropertyBufferSize != 0)) {
        return FALSE;
    }
    InputState& input = CurrentInput();
    const auto name = input.busNames.find(target.element->device->instanceId);
    if (!SameGuid(PropertyKey->fmtid, kBusReportedDeviceDesc.fmtid) ||
        PropertyKey->pid != kBusReportedDeviceDesc.pid || name == input.busNames.end()) {
        return FALSE;  // ERROR_NOT_FOUND
    }
    const DWORD size = static_cast<DWORD>((name->second.size() + 1) * sizeof(WCHAR));
    if (RequiredSize != nullptr) {
        *RequiredSize = size;
    }
    if (PropertyBufferSize < size) {
        return FALSE;  // ERROR_INSUFFICIENT_BUFFER
    }
    *PropertyType = DEVPROP_TYPE_STRING;
    std::memcpy(PropertyBuffer, name->second.c_str(), size);
    return TRUE;
}

// Windows-1252's characters from 0x80 to 0x9F that are not Latin-1's.
constexpr std::pair<char16_t, unsigned char> kWindows1252Extra[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};

}  // namespace

std::optional<unsigned char> AnsiByte(UINT codePage, char16_t c) {
    if (c < 0x80) {
        return static_cast<unsigned char>(c);
    }
    if (codePage != 1252) {
        return std::nullopt;
    }
    if (c >= 0xA0 && c <= 0xFF) {
        return static_cast<unsigned char>(c);
    }
    for (const auto& [wide, byte] : kWindows1252Extra) {
        if (wide == c) {
            return byte;
        }
    }
    return std::nullopt;
}

// The character an ANSI byte stands for. Windows-1252 leaves 0x81, 0x8D, 0x8F, 0x90
// and 0x9D undefined and maps them to the same code point; US-ASCII (20127) has no
// character above 0x7F.
std::optional<char16_t> AnsiChar(UINT codePage, unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (codePage != 1252) {
        return std::nullopt;
    }
    for (const auto& [wide, ansi] : kWindows1252Extra) {
        if (ansi == byte) {
            return wide;
        }
    }
    return byte;
}

FARPROC DevicePropertyReader(Machine& machine) {
    if (!InputOf(machine).propertyReader) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&SimSetupDiGetDevicePropertyW));
}

}  // namespace sim

namespace plat {

BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE pRawInputDevices, UINT uiNumDevices, UINT cbSize) {
    if (sim::EnterCall("RegisterRawInputDevices", [&] {
            std::string args =
                "count=" + std::to_string(uiNumDevices) + " size=" + std::to_string(cbSize);
            for (UINT i = 0; pRawInputDevices != nullptr && i < uiNumDevices; ++i) {
                const RAWINPUTDEVICE& device = pRawInputDevices[i];
                args += " usage=" + sim::HexNumber(device.usUsagePage) + "/" +
                        sim::HexNumber(device.usUsage) +
                        " flags=" + sim::HexNumber(device.dwFlags) +
                        " hwnd=" + sim::HandleArg(device.hwndTarget);
            }
            return args;
        })) {
        return FALSE;
    }
    if (pRawInputDevices == nullptr || uiNumDevices == 0 || cbSize != sizeof(RAWINPUTDEVICE)) {
        return FALSE;
    }
    for (UINT i = 0; i < uiNumDevices; ++i) {
        const DWORD flags = pRawInputDevices[i].dwFlags;
        if ((flags & RIDEV_INPUTSINK) != 0 && pRawInputDevices[i].hwndTarget == nullptr) {
            return FALSE;  // ERROR_INVALID_PARAMETER, and nothing registered
        }
    }
    std::vector<RAWINPUTDEVICE>& registered = sim::CurrentInput().registrations;
    for (UINT i = 0; i < uiNumDevices; ++i) {
        const RAWINPUTDEVICE& device = pRawInputDevices[i];
        std::erase_if(registered, [&](const RAWINPUTDEVICE& old) {
            return old.usUsagePage == device.usUsagePage && old.usUsage == device.usUsage;
        });
        if ((device.dwFlags & RIDEV_REMOVE) == 0) {
            registered.push_back(device);
        }
    }
    return TRUE;
}

UINT GetRawInputData(HRAWINPUT hRawInput, UINT uiCommand, LPVOID pData, PUINT pcbSize,
                     UINT cbSizeHeader) {
    sim::Machine& machine = sim::Current();
    sim::InputState& input = sim::CurrentInput();
    if (sim::EnterCall("GetRawInputData", [&] {
            return "input=" + sim::HandleArg(hRawInput) + " command=" + sim::HexNumber(uiCommand) +
                   " size=" + (pcbSize != nullptr ? std::to_string(*pcbSize) : "null") +
                   " header=" + std::to_string(cbSizeHeader);
        })) {
        return sim::kFailed;
    }
    const bool live =
        input.current.has_value() &&
        sim::HandleValue(hRawInput) == sim::kRawInputBase + input.inputSerial * sim::kHandleStep;
    if (!live || uiCommand != RID_HEADER || pcbSize == nullptr ||
        cbSizeHeader != sizeof(RAWINPUTHEADER)) {
        return sim::kFailed;
    }
    if (pData == nullptr) {
        *pcbSize = sizeof(RAWINPUTHEADER);
        return 0;
    }
    if (*pcbSize < sizeof(RAWINPUTHEADER)) {
        return sim::kFailed;  // ERROR_INSUFFICIENT_BUFFER
    }
    sim::Machine::State& state = machine.state();
    const sim::DeviceRecord* device = state.Find(input.current->collection);
    if (device == nullptr) {
        return sim::kFailed;
    }
    RAWINPUTHEADER header{};
    header.dwType = sim::UsageOf(*device).type;
    header.dwSize = sizeof(RAWINPUTHEADER);
    header.hDevice = sim::MakeHandle<HANDLE>(sim::kRawDeviceBase + device->node);
    header.wParam = RIM_INPUT;
    std::memcpy(pData, &header, sizeof header);
    return sizeof header;
}

UINT GetRawInputDeviceInfoA(HANDLE hDevice, UINT uiCommand, LPVOID pData, PUINT pcbSize) {
    sim::Machine::State& state = sim::CurrentState();
    const sim::DeviceRecord* device = sim::DeviceOfHandle(state, hDevice);
    if (sim::EnterCall(
            "GetRawInputDeviceInfoA",
            [&] {
                return "device=" + sim::HandleArg(hDevice) +
                       " command=" + sim::HexNumber(uiCommand) +
                       " size=" + (pcbSize != nullptr ? std::to_string(*pcbSize) : "null");
            },
            device != nullptr ? std::string_view(device->instanceId) : std::string_view())) {
        return sim::kFailed;
    }
    if (device == nullptr || uiCommand != RIDI_DEVICENAME || pcbSize == nullptr) {
        return sim::kFailed;  // ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER
    }
    const std::string name = sim::InterfaceNameOf(device->instanceId);
    const UINT needed = static_cast<UINT>(name.size() + 1);  // characters, with the NUL
    if (pData == nullptr) {
        *pcbSize = needed;
        return 0;
    }
    if (*pcbSize < needed) {
        *pcbSize = needed;
        return sim::kFailed;  // ERROR_INSUFFICIENT_BUFFER
    }
    std::memcpy(pData, name.c_str(), needed);
    return needed;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
    sim::Machine& machine = sim::Current();
    if (sim::EnterCall("QueryPerformanceCounter", [] { return std::string(); }) ||
        lpPerformanceCount == nullptr) {
        return FALSE;
    }
    lpPerformanceCount->QuadPart = sim::Clock(machine);
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
    if (sim::EnterCall("QueryPerformanceFrequency", [] { return std::string(); }) ||
        lpFrequency == nullptr) {
        return FALSE;
    }
    lpFrequency->QuadPart = sim::kCounterFrequency;
    return TRUE;
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    if (sim::EnterCall("WideCharToMultiByte", [&] {
            return "codepage=" + std::to_string(CodePage) + " flags=" + sim::HexNumber(dwFlags) +
                   " count=" + std::to_string(cchWideChar) + " size=" + std::to_string(cbMultiByte);
        })) {
        return 0;
    }
    if (CodePage != CP_ACP || lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr)) {
        return 0;  // ERROR_INVALID_PARAMETER
    }
    std::size_t count = 0;
    if (cchWideChar < 0) {
        while (lpWideCharStr[count] != 0) {
            ++count;
        }
        ++count;  // the NUL is converted too
    } else {
        count = static_cast<std::size_t>(cchWideChar);
    }
    const UINT codePage = sim::CurrentInput().codePage;
    std::string out;
    bool usedDefault = false;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t c = lpWideCharStr[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count) {
            ++i;  // a surrogate pair is one character
        }
        const std::optional<unsigned char> byte = sim::AnsiByte(codePage, c);
        usedDefault = usedDefault || !byte;
        out += byte ? static_cast<char>(*byte) : (lpDefaultChar != nullptr ? *lpDefaultChar : '?');
    }
    if (lpUsedDefaultChar != nullptr) {
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    if (cbMultiByte == 0) {
        return static_cast<int>(out.size());
    }
    if (out.size() > static_cast<std::size_t>(cbMultiByte)) {
        return 0;  // ERROR_INSUFFICIENT_BUFFER
    }
    std::memcpy(lpMultiByteStr, out.data(), out.size());
    return static_cast<int>(out.size());
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    if (sim::EnterCall("MultiByteToWideChar", [&] {
            return "codepage=" + std::to_string(CodePage) + " flags=" + sim::HexNumber(dwFlags) +
                   " size=" + std::to_string(cbMultiByte) + " count=" + std::to_string(cchWideChar);
        })) {
        return 0;
    }
    if (CodePage != CP_ACP || lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        return 0;  // ERROR_INVALID_PARAMETER
    }
    const std::size_t size =
        cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const UINT codePage = sim::CurrentInput().codePage;
    std::u16string out;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(lpMultiByteStr[i]);
        const std::optional<char16_t> c = sim::AnsiChar(codePage, byte);
        if (!c && (dwFlags & MB_ERR_INVALID_CHARS) != 0) {
            return 0;  // ERROR_NO_UNICODE_TRANSLATION
        }
        out += c.value_or(u'\uFFFD');
    }
    if (cchWideChar == 0) {
        return static_cast<int>(out.size());
    }
    if (out.size() > static_cast<std::size_t>(cchWideChar)) {
        return 0;  // ERROR_INSUFFICIENT_BUFFER
    }
    std::memcpy(lpWideCharStr, out.data(), out.size() * sizeof(char16_t));
    return static_cast<int>(out.size());
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    sim::InputState& input = sim::CurrentInput();
    if (sim::EnterCall("CreateWindowExA", [&] {
            return "ex=" + sim::HexNumber(dwExStyle) +
                   " class=" + (lpClassName != nullptr ? lpClassName : "null") +
                   " style=" + sim::HexNumber(dwStyle) + " parent=" + sim::HandleArg(hWndParent);
        })) {
        return nullptr;
    }
    static_cast<void>(lpWindowName);
    static_cast<void>(X + Y + nWidth + nHeight);
    static_cast<void>(hMenu);
    static_cast<void>(hInstance);
    static_cast<void>(lpParam);
    // Only the predefined class a message-only window needs is known here.
    if (lpClassName == nullptr || !sim::EqualNoCase(lpClassName, "STATIC") ||
        hWndParent != HWND_MESSAGE) {
        return nullptr;  // ERROR_CANNOT_FIND_WND_CLASS, or a window the simulation lacks
    }
    const std::uintptr_t value = sim::kWindowBase + ++input.windowSerial * sim::kHandleStep;
    input.windows.insert(value);
    return sim::MakeHandle<HWND>(value);
}

BOOL DestroyWindow(HWND hWnd) {
    sim::InputState& input = sim::CurrentInput();
    if (sim::EnterCall("DestroyWindow", [&] { return "hwnd=" + sim::HandleArg(hWnd); })) {
        return FALSE;
    }
    return input.windows.erase(sim::HandleValue(hWnd)) != 0 ? TRUE : FALSE;
}

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    sim::Machine& machine = sim::Current();
    sim::InputState& input = sim::CurrentInput();
    if (sim::EnterCall("PeekMessageA", [&] {
            return "hwnd=" + sim::HandleArg(hWnd) + " min=" + sim::HexNumber(wMsgFilterMin) +
                   " max=" + sim::HexNumber(wMsgFilterMax) +
                   " remove=" + sim::HexNumber(wRemoveMsg);
        })) {
        return FALSE;
    }
    // The program takes every message of its thread off the queue, all at once.
    if (lpMsg == nullptr || hWnd != nullptr || wMsgFilterMin != 0 || wMsgFilterMax != 0 ||
        wRemoveMsg != PM_REMOVE) {
        return FALSE;
    }
    // A report whose target window is gone is lost, as Windows drops it.
    while (const std::optional<sim::Delivery> delivery = sim::DeliverNext(machine, input.clock)) {
        if (input.windows.contains(sim::HandleValue(delivery->target))) {
            *lpMsg = MSG{delivery->target,
                         WM_INPUT,
                         delivery->code,
                         reinterpret_cast<LPARAM>(delivery->input),
                         0,
                         {0, 0}};
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
    sim::InputState& input = sim::CurrentInput();
    if (sim::EnterCall("DispatchMessageA", [&] {
            return lpMsg == nullptr ? std::string("msg=null")
                                    : "hwnd=" + sim::HandleArg(lpMsg->hwnd) +
                                          " message=" + sim::HexNumber(lpMsg->message);
        })) {
        return 0;
    }
    // The static control's procedure hands WM_INPUT to DefWindowProc, which frees it.
    if (lpMsg != nullptr && lpMsg->message == WM_INPUT &&
        input.windows.contains(sim::HandleValue(lpMsg->hwnd))) {
        input.current.reset();
    }
    return 0;
}

}  // namespace plat
