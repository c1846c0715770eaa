// TfrmSetup: what the device grid's cells show, and which cells may become current.
#include <optional>
#include <string>

#include "ui/SetupF.h"

namespace ui {

void TfrmSetup::dgDevicesDrawCell(gui::TObject&, int ACol, int ARow, const gui::TRect& Rect,
                                  gui::TGridDrawState State) {
    gui::Canvas& canvas = *dgDevices->Canvas();
    const int i = ListIndexOfRow(ARow);
    if (i < 0) {
        canvas.TextRect(Rect, Rect.Left + 3, Rect.Top + 3,
                        ColumnTitles.at(static_cast<std::size_t>(ACol)));
        return;
    }
    if (i >= ListCount()) {
        return;
    }
    // Cells drawn outside a paint read for themselves alone.
    std::optional<RowReads> ownReads;
    RowReads& reads =
        paintReads_ ? *paintReads_ : ownReads.emplace(DeviceList.get(), cbParent->Checked());
    const std::string text = reads.CellText(i, ACol);
    if (!State.Selected && !State.Focused) {
        // The colours announce the questions a check of "Filter On Device" asks.
        switch (reads.Marking(i)) {
            case RowMarking::Hub:
                canvas.SetBrushColor(kHubColor);
                break;
            case RowMarking::HubParent:
                canvas.SetBrushColor(kHubParentColor);
                break;
            case RowMarking::None:
                break;
        }
        canvas.FillRect(Rect);
    }
    canvas.TextRect(Rect, Rect.Left + 3, Rect.Top + 3, text);
    if (ACol == 0) {
        DrawActivityMark(i, Rect);
    }
}

void TfrmSetup::dgDevicesSelectCell(gui::TObject&, int, int ARow, bool& CanSelect) {
    const int i = ListIndexOfRow(ARow);
    if (i < 0) {
        CanSelect = false;
        return;
    }
    SyncControls(i);
}

}  // namespace ui
