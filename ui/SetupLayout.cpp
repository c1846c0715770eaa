#include "ui/SetupLayout.h"

#include "ui/Density.h"
#include "ui/Layout.h"
#include "ui/gui/Button.h"
#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/DrawGrid.h"
#include "ui/gui/Label.h"
#include "ui/gui/Panel.h"

namespace {

gui::TControl& CreateControl(gui::TForm& form, const layout::ControlSpec& spec) {
    gui::TControl* parent = spec.parent != nullptr ? form.FindControl(spec.parent) : nullptr;
    switch (spec.kind) {
        case gui::ControlKind::Panel:
            return form.Add<gui::TPanel>(spec.name, parent);
        case gui::ControlKind::CheckBox: {
            auto& box = form.Add<gui::TCheckBox>(spec.name, parent);
            box.LoadChecked(spec.checked);
            return box;
        }
        case gui::ControlKind::ComboBox: {
            auto& combo = form.Add<gui::TComboBox>(spec.name, parent);
            combo.ItemHeight = spec.itemHeight;
            return combo;
        }
        case gui::ControlKind::Label: {
            auto& label = form.Add<gui::TLabel>(spec.name, parent);
            label.AutoSize = spec.autoSize;
            label.TabStop = false;
            return label;
        }
        case gui::ControlKind::Button: {
            auto& button = form.Add<gui::TButton>(spec.name, parent);
            button.ModalResult = spec.modalResult;
            button.Cancel = spec.cancel;
            if (spec.cancel) {
                form.CancelButton = &button;
            }
            return button;
        }
        case gui::ControlKind::DrawGrid:
            break;
    }
    auto& grid = form.Add<gui::TDrawGrid>(spec.name, parent);
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
    for (const layout::ControlSpec& spec : layout::kControls) {
        gui::TControl& control = CreateControl(form, spec);
        control.SetBounds(spec.left, spec.top, spec.width, spec.height);
        control.SetAlign(spec.align);
        control.SetCaption(spec.caption);
        control.Hint = spec.hint;
        control.TabOrder = spec.tabOrder;
        control.SetEnabled(spec.enabled);
        control.SetVisible(spec.visible);
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
