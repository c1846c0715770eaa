#include "ui/SetupLayout.h"

#include "ui/Density.h"
#include "ui/Layout.h"
#include "ui/gui/Button.h"
#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/DrawGrid.h"
#include "ui/gui/Label.h"
#include "ui/gui/Panel.h"

namespace ui {

namespace {

gui::TControl& CreateControl(gui::TForm& form, const layout::ControlSpec& plan) {
    gui::TControl* parent = plan.parent != nullptr ? form.FindControl(plan.parent) : nullptr;
    switch (plan.kind) {
        case gui::ControlKind::Panel:
            return form.Add<gui::TPanel>(plan.name, parent);
        case gui::ControlKind::CheckBox: {
            auto& box = form.Add<gui::TCheckBox>(plan.name, parent);
            box.LoadChecked(plan.checked);
            return box;
        }
        case gui::ControlKind::ComboBox: {
            auto& combo = form.Add<gui::TComboBox>(plan.name, parent);
            combo.ItemHeight = plan.itemHeight;
            return combo;
        }
        case gui::ControlKind::Label: {
            auto& label = form.Add<gui::TLabel>(plan.name, parent);
            label.AutoSize = plan.autoSize;
            label.TabStop = false;
            return label;
        }
        case gui::ControlKind::Button: {
            auto& button = form.Add<gui::TButton>(plan.name, parent);
            button.ModalResult = plan.modalResult;
            button.Cancel = plan.cancel;
            if (plan.cancel) {
                form.CancelButton = &button;
            }
            return button;
        }
        case gui::ControlKind::DrawGrid:
            break;
    }
    auto& grid = form.Add<gui::TDrawGrid>(plan.name, parent);
    const layout::GridSpec& g = layout::kGrid;
    grid.FixedRows = g.fixedRows;
    grid.FixedCols = g.fixedCols;
    grid.SetColCount(g.colCount, 64);
    for (int col = 0; col < g.colCount; ++col) {
        grid.SetColWidth(col, g.colWidths[static_cast<std::size_t>(col)]);
    }
    grid.SetDefaultRowHeight(g.defaultRowHeight);
    grid.GridLineWidth = g.gridLineWidth;
    grid.Options = g.options;
    grid.SetRowCount(g.rowCount);
    grid.LoadCurrentCell(g.currentCol, g.currentRow);
    return grid;
}

}  // namespace

void LoadSetupLayout(gui::TForm& form) {
    const layout::WindowSpec& w = layout::kWindow;
    form.SetCaption(w.caption);
    form.SetFont({w.fontName, w.fontHeight});
    form.PixelsPerInch = w.designPixelsPerInch;
    for (const layout::ControlSpec& plan : layout::kControls) {
        gui::TControl& control = CreateControl(form, plan);
        control.SetBounds(plan.left, plan.top, plan.width, plan.height);
        control.SetAlign(plan.align);
        control.SetCaption(plan.caption);
        control.Hint = plan.hint;
        control.TabOrder = plan.tabOrder;
        control.SetEnabled(plan.enabled);
        control.SetVisible(plan.visible);
    }
    form.SetClientSize(w.clientWidth, w.clientHeight);
    form.Realign();
}

void ScaleSetupLayout(gui::TForm& form, int pixelsPerInch, int newTextHeight) {
    const layout::WindowSpec& w = layout::kWindow;
    form.PixelsPerInch = pixelsPerInch;
    if (pixelsPerInch == w.designPixelsPerInch) {
        return;
    }
    form.SetFont({w.fontName, ScaledFontHeight(w.fontHeight, pixelsPerInch)});
    if (!ControlsNeedScaling(pixelsPerInch, newTextHeight)) {
        return;
    }
    for (gui::TControl* control : form.Controls()) {
        const gui::TRect edges = ScaledEdges(control->BoundsRect(), newTextHeight);
        control->SetBounds(edges.Left, edges.Top, edges.Width(), edges.Height());
    }
    form.Realign();
}

}  // namespace ui
