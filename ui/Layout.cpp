#include "ui/Layout.h"

#include "ui/gui/Button.h"

namespace ui {

namespace layout {

using gui::ControlKind;
using gui::TAlign;

const WindowSpec kWindow = {
    .caption = "Kordane Setup",
    .applicationTitle = "QUORVIN Setup",
    .outerWidth = 963,
    .outerHeight = 345,
    .clientWidth = 955,
    .clientHeight = 318,
    .designLeft = 364,
    .designTop = 240,
    .fontName = "MS Sans Serif",
    .fontHeight = 11,
    .fontPoints = 8,
    .designPixelsPerInch = 96,
    .designTextHeight = 13,
};

namespace {

constexpr ControlSpec Control(const char* name, ControlKind kind, const char* parent, int left,
                              int top, int width, int height, const char* caption, const char* hint,
                              int tabOrder) {
    return {name, kind,     parent, left, top,  width, height,      TAlign::alNone, caption,
            hint, tabOrder, false,  true, true, 0,     gui::mrNone, false,          false};
}

constexpr ControlSpec Docked(ControlSpec plan, TAlign align) {
    plan.align = align;
    return plan;
}

constexpr ControlSpec Checked(ControlSpec plan) {
    plan.checked = true;
    return plan;
}

constexpr ControlSpec WithResult(ControlSpec plan, int modalResult) {
    plan.modalResult = modalResult;
    return plan;
}

}  // namespace

const std::array<ControlSpec, 12> kControls = [] {
    ControlSpec rate = Control("cbRate", ControlKind::ComboBox, "PanelFutt", 112, 8, 89, 21, "",
                               "Pick desired rate", 1);
    rate.itemHeight = 13;
    ControlSpec label = Control("Label1", ControlKind::Label, "PanelFutt", 208, 12, 68, 13,
                                "Selected Rate", "", -1);
    label.autoSize = true;
    ControlSpec close = WithResult(Control("BitBtn_Close", ControlKind::Button, "PanelFutt", 612, 8,
                                           90, 24, "Close", "Close Form", 5),
                                   gui::mrCancel);
    close.cancel = true;
    return std::array<ControlSpec, 12>{
        Docked(Control("pnlHEAD", ControlKind::Panel, nullptr, 0, 0, 955, 38, "", "", 0),
               TAlign::alTop),
        Checked(Control("cbMouseOnly", ControlKind::CheckBox, "pnlHEAD", 9, 11, 120, 17,
                        "Mice Only",
                        "Select only USB mice when checked, else select all HID USB devices.", 0)),
        Control("cbParent", ControlKind::CheckBox, "pnlHEAD", 137, 11, 152, 17, "Process Parent",
                "Process Parent Devices (applied when device is USB Composite device)", 1),
        Docked(Control("dgDevices", ControlKind::DrawGrid, nullptr, 0, 38, 955, 242, "",
                       "Select device to process", 1),
               TAlign::alClient),
        Docked(Control("PanelFutt", ControlKind::Panel, nullptr, 0, 280, 955, 38, "", "", 2),
               TAlign::alBottom),
        Control("cbFilter", ControlKind::CheckBox, "PanelFutt", 8, 11, 105, 17, "Filter On Device",
                "To (un)install QUORVIN filter on selected device (un)check this box.", 0),
        rate,
        label,
        WithResult(Control("BitBtn_Install", ControlKind::Button, "PanelFutt", 294, 8, 90, 24,
                           "Install Service",
                           "Copy driver files and install driver service (need QUORVIN.INF to be "
                           "in current directory).",
                           2),
                   gui::mrOk),
        WithResult(Control("btnApply", ControlKind::Button, "PanelFutt", 400, 8, 90, 24, "Restart",
                           "Restart device so the registry changes take place.", 3),
                   gui::mrOk),
        WithResult(Control("btnCopyID", ControlKind::Button, "PanelFutt", 506, 8, 90, 24,
                           "Copy IDs", "Copy Device Instance ID and Hardware IDs to clipboard", 4),
                   gui::mrOk),
        close,
    };
}();

const GridSpec kGrid = {
    .name = "dgDevices",
    .colCount = 6,
    .rowCount = 2,
    .fixedRows = 1,
    .fixedCols = 0,
    .defaultRowHeight = 21,
    .colWidths = {200, 200, 350, 64, 64, 64},
    .gridLineWidth = 1,
    .options =
        {
            .FixedVertLine = true,
            .FixedHorzLine = true,
            .VertLine = true,
            .HorzLine = true,
            .ColSizing = true,
            .RowSizing = false,
            .RangeSelect = false,
            .RowSelect = false,
            .Editing = false,
            .DrawFocusSelected = true,
        },
    .currentCol = 0,
    .currentRow = 1,
};

}  // namespace layout

}  // namespace ui
