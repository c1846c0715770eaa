// The setup window (headless realisation) on a generated machine, listing every
// HID interface (Mice Only cleared) in a grid tall enough for 30 data rows, as a
// maximised window on a common screen shows them.
#pragma once

#include <memory>

#include "platform/sim/SimMachine.h"
#include "tests/GeneratedMachine.h"
#include "ui/headless/HeadlessWindow.h"

namespace generated {

inline constexpr int kVisibleRows = 30;

struct WindowBed {
    sim::Machine machine;
    sim::ScopedMachine use{machine};
    generated::MachineShape shape;
    std::unique_ptr<headless::HeadlessWindow> window;

    WindowBed(int nodes, bool processParent) {
        shape = generated::Generate(machine, nodes);
        machine.logging = false;
        window = std::make_unique<headless::HeadlessWindow>();
        ui::TfrmSetup& form = window->Form();
        gui::TDrawGrid& grid = *form.dgDevices;
        const int stride = grid.DefaultRowHeight() + grid.GridLineWidth;
        grid.SetClientArea(grid.ClientWidth(), (kVisibleRows + grid.FixedRows) * stride);
        form.cbMouseOnly->SetChecked(false);
        form.cbParent->SetChecked(processParent);
    }

    ui::TfrmSetup& Form() { return window->Form(); }
    // Whether the grid shows kVisibleRows data rows, all of them devices.
    bool FullGrid() {
        const gui::TDrawGrid& grid = *Form().dgDevices;
        return grid.VisibleRowCount() == kVisibleRows && Form().DeviceList &&
               Form().DeviceList->Count() >= kVisibleRows;
    }
};

}  // namespace generated
