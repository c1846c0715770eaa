#include "input/RawInputReader.h"

#include <array>
#include <vector>

#include "input/InterfaceName.h"

namespace input {

namespace {

constexpr UINT kFailed = static_cast<UINT>(-1);

// Generic desktop mouse and keyboard, consumer controls.
constexpr std::array<std::pair<USHORT, USHORT>, 3> kUsages = {{{1, 2}, {1, 6}, {0x0C, 1}}};

bool Register(HWND target, DWORD flags) {
    std::array<RAWINPUTDEVICE, kUsages.size()> devices{};
    for (std::size_t i = 0; i < kUsages.size(); ++i) {
        devices[i] = {kUsages[i].first, kUsages[i].second, flags, target};
    }
    return plat::RegisterRawInputDevices(devices.data(), static_cast<UINT>(devices.size()),
                                         sizeof(RAWINPUTDEVICE)) != FALSE;
}

}  // namespace

bool RegisterRawInput(HWND target) {
    return Register(target, RIDEV_INPUTSINK);
}

void UnregisterRawInput() {
    Register(nullptr, RIDEV_REMOVE);
}

LONGLONG CounterFrequency() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        return plat::QueryPerformanceFrequency(&value) != FALSE && value.QuadPart > 0
                   ? value.QuadPart
                   : 1;
    }();
    return frequency;
}

LONGLONG CounterNow() {
    LARGE_INTEGER value{};
    return plat::QueryPerformanceCounter(&value) != FALSE ? value.QuadPart : 0;
}

std::optional<Report> RawInputReader::Read(HRAWINPUT input, WPARAM code) {
    // Timed first: what follows is not the device's doing.
    const LONGLONG time = CounterNow();
    RAWINPUTHEADER header{};
    UINT size = sizeof header;
    if (plat::GetRawInputData(input, RID_HEADER, &header, &size, sizeof(RAWINPUTHEADER)) ==
        kFailed) {
        return std::nullopt;
    }
    return Report{NameOf(header.hDevice), time, code == RIM_INPUTSINK};
}

std::string RawInputReader::NameOf(HANDLE device) {
    const auto known = names_.find(device);
    if (known != names_.end()) {
        return known->second;
    }
    UINT length = 0;
    std::string id;
    if (plat::GetRawInputDeviceInfoA(device, RIDI_DEVICENAME, nullptr, &length) == 0 &&
        length > 0 && length < 4096) {
        std::vector<char> name(length + 1, '\0');
        if (plat::GetRawInputDeviceInfoA(device, RIDI_DEVICENAME, name.data(), &length) !=
            kFailed) {
            id = CollectionIdFromInterfaceName(name.data());
        }
    }
    // A failed read is not kept: the device may answer next time.
    if (!id.empty()) {
        names_.emplace(device, id);
    }
    return id;
}

}  // namespace input
