// The demo's entry: the setup program on the simulated demo machine. Windows tells
// every top-level window when the device tree changes; the simulated machine tells
// nobody, so after each message that restarted a device the demo posts the
// window the notification Windows would have sent, and the grid shows the
// restarted devices again instead of the stale ones.
//
// The simulated devices send input too: while the pointer moves over the program's
// windows, the device being measured (or, with no measuring window open, the demo's
// plain mouse) moves, with every device whose restart waits to be confirmed, and
// their reports reach the program as WM_INPUT at the times the simulated clock gives
// them. That clock follows the real one. The demo's keyboard behind the external hub
// sends nothing once restarted with the filter and a rate, so the question "Keep
// these settings?" and its revert can be watched on it.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/sim/SimInput.h"
#include "platform/sim/SimMachine.h"
#include "ui/win32/RawInputSink.h"
#include "ui/win32/SetupProgram.h"

namespace {

// DBT_DEVNODES_CHANGED: a device was added to or removed from the tree.
constexpr WPARAM kDevNodesChanged = 0x0007;
const char* const kPlainMouseCollection = "HID\\VID_0E8F&PID_0021\\6&1C2D3E4F&0&0000";
// A pause longer than this is the user resting, not moving slowly.
constexpr double kLongestMoveMs = 50;

LONGLONG RealTicks() {
    static LARGE_INTEGER frequency{};
    static LARGE_INTEGER start{};
    if (frequency.QuadPart == 0) {
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
    }
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<LONGLONG>(static_cast<double>(now.QuadPart - start.QuadPart) *
                                 static_cast<double>(sim::kCounterFrequency) /
                                 static_cast<double>(frequency.QuadPart));
}

bool PointerOverThisProgram(POINT point) {
    const HWND window = ::WindowFromPoint(point);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return window != nullptr && process == ::GetCurrentProcessId();
}

// Moves the device for the time since the last message, and hands the program the
// reports that are due.
void FeedInput(POINT& lastPointer) {
    sim::Machine& machine = sim::Current();
    const LONGLONG now = RealTicks();
    POINT pointer{};
    ::GetCursorPos(&pointer);
    if ((pointer.x != lastPointer.x || pointer.y != lastPointer.y) &&
        PointerOverThisProgram(pointer)) {
        sim::SetClock(machine, now - sim::Ticks(kLongestMoveMs));
        const std::vector<std::string> measured = win32::MeasuredCollections();
        std::vector<std::string> devices{measured.empty() ? kPlainMouseCollection
                                                          : measured.front()};
        // A device whose restart waits to be confirmed is used too, as a user would.
        for (const std::string& watched : win32::WatchedCollections()) {
            devices.push_back(watched);
        }
        const double span =
            static_cast<double>(now - sim::Clock(machine)) * 1000.0 / sim::kCounterFrequency;
        for (const std::string& device : devices) {
            sim::Move(machine, device, std::max(0.0, span));
        }
    }
    lastPointer = pointer;
    while (const auto delivery = sim::DeliverNext(machine, now)) {
        ::SendMessageA(delivery->target, WM_INPUT, delivery->code,
                       reinterpret_cast<LPARAM>(delivery->input));
    }
    sim::SetClock(machine, now);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    std::size_t restarts = sim::Current().restarts.size();
    POINT lastPointer{};
    ::GetCursorPos(&lastPointer);
    return win32::RunSetupProgram(
        instance, showCommand, [&restarts, &lastPointer](HWND mainWindow) {
            const std::size_t now = sim::Current().restarts.size();
            if (now != restarts) {
                restarts = now;
                ::PostMessageA(mainWindow, WM_DEVICECHANGE, kDevNodesChanged, 0);
            }
            FeedInput(lastPointer);
        });
}
