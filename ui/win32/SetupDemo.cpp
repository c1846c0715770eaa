// The demo's entry: the setup program on the simulated demo machine. Windows tells
// every top-level window when the device tree changes; the simulated machine tells
// nobody, so after each message that restarted a device the demo posts the
// window the notification Windows would have sent, and the grid shows the
// restarted devices again instead of the stale ones.
#include <windows.h>

#include <cstddef>

#include "platform/sim/SimMachine.h"
#include "ui/win32/SetupProgram.h"

namespace {

// DBT_DEVNODES_CHANGED: a device was added to or removed from the tree.
constexpr WPARAM kDevNodesChanged = 0x0007;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    std::size_t restarts = sim::Current().restarts.size();
    return win32::RunSetupProgram(instance, showCommand, [&restarts](HWND mainWindow) {
        const std::size_t now = sim::Current().restarts.size();
        if (now != restarts) {
            restarts = now;
            ::PostMessageA(mainWindow, WM_DEVICECHANGE, kDevNodesChanged, 0);
        }
    });
}
