// Timings on the real platform: Wine's own SetupAPI, configuration manager and
// registry, with devices created in the prefix as a driver installer creates them.
// For 30, 300 and 1,000 devices it times a list build in each mode, a paint of the
// real window's grid and a device change (rebuild and paint), and prints medians of
// several runs, then one more run of each with the platform and drawing calls
// counted and timed. Run it with scripts/wine-bench.sh.
//
//   quorvin_wine_bench.exe [--paint-only] [runs] [device counts...]
//                                                (default: 7 30 300 1000)
//
// --paint-only measures the paint alone (no list builds, no device change): the
// quick way to compare two builds of the window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "bench/wine/CallTimer.h"
#include "bench/wine/DeviceTreeShim.h"
#include "device/DevInfo.h"
#include "device/DeviceList.h"
#include "ui/Layout.h"
#include "ui/win32/SetupWindow.h"
#include "ui/win32/Win32Application.h"
#include "tests/wine/Win32DeviceBed.h"

namespace {

// DBT_DEVNODES_CHANGED: a device was added to or removed from the tree.
constexpr WPARAM kDevNodesChanged = 0x0007;
constexpr int kVisibleRows = 30;
const GUID kClassUsb = {
    0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Device i of the prefix, in a rotation of ten: a hub, a composite parent, seven
// HID interfaces (every third with the filter and a stored rate) and a mouse-class
// device; all enumerated by "USB".
BedDevice Device(int i, bool& withFilter) {
    char id[96];
    std::snprintf(id, sizeof id, "USB\\VID_1A2C&PID_%04X&MI_00\\7&%08X&0&%04d", i % 10,
                  0x2C1F5D3 + i, i);
    BedDevice device;
    device.instanceId = id;
    device.hardwareIds = {std::string(id).substr(0, std::string(id).rfind('\\')),
                          "USB\\VID_1A2C&PID_4C5E"};
    withFilter = false;
    switch (i % 10) {
        case 0:
            device.classGuid = kClassUsb;
            device.description = "USB Root Hub";
            device.hubInterface = true;
            break;
        case 1:
            device.classGuid = kClassUsb;
            device.description = "USB Composite Device";
            break;
        case 9:
            device.classGuid = device::guids::GUID_DEVCLASS_MOUSE;
            device.description = "HID-compliant mouse";
            break;
        default:
            device.classGuid = device::guids::GUID_DEVCLASS_HIDCLASS;
            device.description = "USB Input Device";
            withFilter = i % 3 == 0;
    }
    return device;
}

// The parent in the plan: the hub of each block of ten has none, the composite
// device and the mouse-class device hang under the hub, the HID interfaces under
// the composite device.
std::string ParentOf(const std::string& instanceId) {
    const int i = std::atoi(instanceId.c_str() + instanceId.rfind('&') + 1);
    const int block = i - i % 10;
    bool unused = false;
    switch (i % 10) {
        case 0:
            return {};
        case 1:
        case 9:
            return Device(block, unused).instanceId;
        default:
            return Device(block + 1, unused).instanceId;
    }
}

void AddDevices(Win32DeviceBed& bed, int from, int to) {
    for (int i = from; i < to; ++i) {
        bool withFilter = false;
        const BedDevice device = Device(i, withFilter);
        bed.Add(device);
        if (withFilter) {
            bed.SetLowerFilters(device.instanceId, {REG_MULTI_SZ, std::string("quorvin\0\0", 9)});
            bed.SetDriverValue(device.instanceId, "bInterval",
                               {REG_DWORD, std::string("\x02\0\0\0", 4)});
        }
    }
}

double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median wall time of `runs` runs, in microseconds. Wine's registry lives in the
// wineserver process, so CPU time of this process alone would miss part of it.
double MedianMicroseconds(int runs, const std::function<void()>& operation) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        operation();
        times.push_back((Now() - start) * 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Pump() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// A message box would hold the run forever: report its text and end the run.
DWORD WINAPI WatchForMessageBoxes(void*) {
    for (;;) {
        ::Sleep(2000);
        const HWND box = ::FindWindowA("#32770", nullptr);
        if (box != nullptr) {
            char text[512] = "";
            ::EnumChildWindows(
                box,
                [](HWND child, LPARAM out) -> BOOL {
                    char buffer[512] = "";
                    ::GetWindowTextA(child, buffer, sizeof buffer);
                    if (std::strlen(buffer) > std::strlen(reinterpret_cast<char*>(out))) {
                        std::strcpy(reinterpret_cast<char*>(out), buffer);
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(text));
            std::fprintf(stderr, "wine bench: a message box appeared: %s\n", text);
            std::fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 2);
        }
    }
}

struct Measured {
    std::string what;
    double microseconds = 0;
    std::vector<winbench::CallStats> calls;
};

Measured Measure(const std::string& what, int runs, const std::function<void()>& operation) {
    std::fprintf(stderr, "measuring %s\n", what.c_str());
    Measured measured{what, MedianMicroseconds(runs, operation), {}};
    winbench::CallTimer timer;
    operation();
    measured.calls = timer.Results();
    return measured;
}

// The setup window on the prefix's devices, Mice Only cleared, made taller so that
// its grid (docked to fill the window) has room for 30 data rows.
class Window {
  public:
    explicit Window(win32::Win32Application& application) {
        application.Desktop().SetCommandLine("QuorvinSetup.exe");
        window_ = std::make_unique<win32::SetupWindow>(application);
        window_->Show(SW_SHOWNORMAL);
        Pump();
        ui::TfrmSetup& form = window_->Form();
        ::SendMessageA(window_->ControlHandle(*form.cbMouseOnly), BM_CLICK, 0, 0);
        Pump();
        const gui::TDrawGrid& grid = *form.dgDevices;
        const int stride = grid.DefaultRowHeight() + grid.GridLineWidth;
        RECT client{};
        ::GetClientRect(Grid(), &client);
        const int more = (kVisibleRows + grid.FixedRows) * stride - client.bottom;
        RECT outer{};
        ::GetWindowRect(window_->Handle(), &outer);
        ::SetWindowPos(window_->Handle(), nullptr, 0, 0, outer.right - outer.left,
                       outer.bottom - outer.top + more, SWP_NOZORDER | SWP_NOMOVE);
        Pump();
    }

    HWND Grid() const { return window_->ControlHandle(*window_->Form().dgDevices); }
    int VisibleRows() const {
        const int listed = window_->Form().DeviceList ? window_->Form().DeviceList->Count() : 0;
        return std::min(window_->Form().dgDevices->VisibleRowCount(), listed);
    }
    void Paint() const {
        ::InvalidateRect(Grid(), nullptr, TRUE);
        ::UpdateWindow(Grid());
    }
    void DeviceChange() const {
        ::SendMessageA(window_->Handle(), WM_DEVICECHANGE, kDevNodesChanged, 0);
        ::UpdateWindow(Grid());
    }

  private:
    std::unique_ptr<win32::SetupWindow> window_;
};

// Printed as soon as it is measured: a run at 1,000 devices takes long, and what it
// measured before it was stopped still counts.
void Print(int devices, const Measured& m) {
    std::printf("%d devices, %s: median %.0f us\n", devices, m.what.c_str(), m.microseconds);
    double total = 0;
    for (const winbench::CallStats& call : m.calls) {
        total += call.microseconds;
    }
    for (const winbench::CallStats& call : m.calls) {
        std::printf("    %-36s %7lld calls %10.0f us\n", call.name.c_str(), call.count,
                    call.microseconds);
    }
    std::printf("    %-36s %7s       %10.0f us (in one counted run)\n", "all counted calls", "",
                total);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool paintOnly = !args.empty() && args.front() == "--paint-only";
    if (paintOnly) {
        args.erase(args.begin());
    }
    const int runs = !args.empty() ? std::max(1, std::atoi(args[0].c_str())) : 7;
    std::vector<int> counts;
    for (std::size_t i = 1; i < args.size(); ++i) {
        counts.push_back(std::atoi(args[i].c_str()));
    }
    if (counts.empty()) {
        counts = {30, 300, 1000};
    }
    std::sort(counts.begin(), counts.end());

    ::CreateThread(nullptr, 0, WatchForMessageBoxes, nullptr, 0, nullptr);
    try {
        Win32DeviceBed bed;
        win32::Win32Application application(::GetModuleHandleA(nullptr));
        application.SetTitle(ui::layout::kWindow.applicationTitle);
        const winbench::DeviceTreeShim tree(ParentOf);
        int made = 0;
        for (const int devices : counts) {
            const double start = Now();
            AddDevices(bed, made, devices);
            made = devices;
            std::printf("%d devices made in %.1f s; %d runs per figure\n", devices, Now() - start,
                        runs);
            std::vector<std::tuple<const char*, bool, bool>> lists;
            if (!paintOnly) {
                lists = {{"list, normal", false, false},
                         {"list, Mice Only", true, false},
                         {"list, all devices", false, true}};
            }
            for (const auto& [what, miceOnly, all] : lists) {
                int listed = 0;
                Measured measured = Measure(what, runs, [&, miceOnly = miceOnly, all = all] {
                    device::TDeviceList list(miceOnly, all);
                    listed = list.Count();
                });
                measured.what += " (" + std::to_string(listed) + " listed)";
                Print(devices, measured);
            }
            std::fprintf(stderr, "opening the window\n");
            Window window(application);
            Print(devices, Measure("paint, " + std::to_string(window.VisibleRows()) + " rows", runs,
                                   [&] { window.Paint(); }));
            if (!paintOnly) {
                Print(devices, Measure("device change", runs, [&] { window.DeviceChange(); }));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wine bench: %s\n", error.what());
        return 1;
    }
    std::printf("QUORVIN-WINE-SUITE: PASSED benchmark\n");
    return 0;
}
