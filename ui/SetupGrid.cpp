// TfrmSetup: what the device grid's cells show, and which cells may become current.
#include <string>

#include "config/FilterQuestions.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "ui/DeviceCellText.h"
#include "ui/SetupF.h"

std::string DeviceCellText(int col, TDevice& listed, TDevice& toProcess) {
    switch (col) {
        case 0:
            return listed.GetDescription();
        case 1:
            return listed.GetParentName();
        case 2:
            return listed.GetChildNames();
        case 3:
            return YesNoText[listed.IsMouseParent() ? 1 : 0];
        case 4:
            return YesNoText[HasFilter(toProcess) ? 1 : 0];
        case 5:
            return RateNames.at(static_cast<std::size_t>(ReadRateIndex(toProcess)));
        default:
            return {};
    }
}

void TfrmSetup::dgDevicesDrawCell(gui::TObject&, int ACol, int ARow, const gui::TRect& Rect,
                                  gui::TGridDrawState State) {
    gui::Canvas& canvas = *dgDevices->Canvas();
    const int i = ARow - dgDevices->FixedRows;
    if (i < 0) {
        canvas.TextRect(Rect, Rect.Left + 3, Rect.Top + 3,
                        ColumnTitles.at(static_cast<std::size_t>(ACol)));
        return;
    }
    if (i >= ListCount()) {
        return;
    }
    TDevice& listed = DeviceList->GetDevice(i);
    TDevice& toProcess = cbParent->Checked() ? listed.GetParentDevice() : listed;
    const std::string text = DeviceCellText(ACol, listed, toProcess);
    if (!State.Selected && !State.Focused) {
        // The colours announce the questions a check of "Filter On Device" asks.
        if (AsksHubQuestion(toProcess)) {
            canvas.SetBrushColor(kHubColor);
        } else if (!AsksUsefulnessQuestion(toProcess)) {
            canvas.SetBrushColor(kHubParentColor);
        }
        canvas.FillRect(Rect);
    }
    canvas.TextRect(Rect, Rect.Left + 3, Rect.Top + 3, text);
    if (ACol == 0) {
        DrawActivityMark(i, Rect);
    }
}

void TfrmSetup::dgDevicesSelectCell(gui::TObject&, int, int ARow, bool& CanSelect) {
    const int i = ARow - dgDevices->FixedRows;
    if (i < 0) {
        CanSelect = false;
        return;
    }
    SyncControls(i);
}
