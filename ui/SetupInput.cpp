// TfrmSetup: what the devices themselves say. The hint of a row names the device by
// the product name it reports and its IDs; input from a device marks its row for a
// moment; a row's collections and stored rate serve the measuring window.
#include <algorithm>

#include "base/AsciiCase.h"
#include "config/LowerFilters.h"
#include "config/Rate.h"
#include "input/DeviceHint.h"
#include "ui/SetupF.h"

namespace ui {

namespace {

// The mark: a small square at the right end of the name cell, in this green at
// full strength, fading into the cell's background.
constexpr gui::TColor kActivityColor = 0x2DB22D;
constexpr int kMarkSize = 6;

gui::TColor Blend(gui::TColor from, gui::TColor to, double level) {
    gui::TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = static_cast<double>((from >> shift) & 0xFF);
        const double b = static_cast<double>((to >> shift) & 0xFF);
        result |= static_cast<gui::TColor>(a + (b - a) * level + 0.5) << shift;
    }
    return result;
}

}  // namespace

void TfrmSetup::ListChanged() {
    rows_.reset();
    if (marks_) {
        marks_->Clear();
    }
}

input::CollectionRows& TfrmSetup::Rows() {
    if (!rows_) {
        rows_ = DeviceList ? input::CollectionRows(*DeviceList) : input::CollectionRows();
    }
    return *rows_;
}

std::string TfrmSetup::RowHint(int i) {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    return input::DeviceHint(DeviceList->GetDevice(i));
}

bool TfrmSetup::InputArrived(const input::Report& report) {
    if (report.collectionId.empty() || ListCount() == 0) {
        return false;
    }
    const int row = Rows().RowOf(report.collectionId);
    if (row < 0) {
        return false;
    }
    if (!marks_) {
        marks_.emplace(input::CounterFrequency());
    }
    marks_->Mark(row, report.time);
    return true;
}

double TfrmSetup::ActivityLevel(int i, LONGLONG now) const {
    return marks_ ? marks_->Level(i, now) : 0.0;
}

bool TfrmSetup::ActivityShowing(LONGLONG now) const {
    return marks_ && marks_->AnyShowing(now);
}

void TfrmSetup::DrawActivityMark(int i, const gui::TRect& cell) {
    // Without input there are no marks, and painting asks the platform nothing more.
    if (!marks_) {
        return;
    }
    const double level = marks_->Level(i, input::CounterNow());
    if (level <= 0.0 || cell.Width() < 3 * kMarkSize) {
        return;
    }
    gui::Canvas& canvas = *dgDevices->Canvas();
    const gui::TColor background = canvas.BrushColor();
    const int top = cell.Top + (cell.Height() - kMarkSize) / 2;
    const int right = cell.Right - kMarkSize;
    canvas.SetBrushColor(Blend(background, kActivityColor, level));
    canvas.FillRect({right - kMarkSize, top, right, top + kMarkSize});
    canvas.SetBrushColor(background);
}

void TfrmSetup::AddInputMenuItems() {
    pmDevices->Add("&Measure polling rate...", [this](gui::TObject&) {
        const int i = CurrentRow();
        if (OnMeasure && i >= 0 && i < ListCount()) {
            OnMeasure(i);
        }
    });
}

std::vector<std::string> TfrmSetup::CollectionsOfRow(int i) {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    return Rows().CollectionsOf(i);
}

measure::RateComparison TfrmSetup::MeasuredSetting(int i) {
    measure::RateComparison setting;
    if (i < 0 || i >= ListCount()) {
        return setting;
    }
    // The rate and the filter apply to the device to process, like the grid's columns.
    device::TDevice& device = DeviceForRow(i);
    const int index = config::ReadRateIndex(device);
    setting.expectedMs = index > 0 ? config::RateTable.at(static_cast<std::size_t>(index)) : 0;
    setting.filterOn = config::HasFilter(device);
    const auto pending = restartPending_.find(base::UpperAscii(device.GetInstanceId()));
    if (pending != restartPending_.end()) {
        setting.restartPending = pending->second;
    }
    return setting;
}

void TfrmSetup::NoteChangeAwaitingRestart(device::TDevice& device) {
    restartPending_[base::UpperAscii(device.GetInstanceId())] = true;
}

}  // namespace ui
