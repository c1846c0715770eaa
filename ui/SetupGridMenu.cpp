// TfrmSetup: the grid's context menu. It carries the commands that came after the
// window's design, so that none of its controls moves. Each feature keeps its items
// and their handlers in a file of its own and adds them here.
#include "ui/SetupF.h"

namespace ui {

void TfrmSetup::BuildGridMenu() {
    gridMenu_ = std::make_unique<gui::TPopupMenu>(App());
    pmDevices = gridMenu_.get();
    pmDevices->OnPopup = [this](gui::TObject& sender) { pmDevicesPopup(sender); };
    dgDevices->PopupMenu = pmDevices;
    AddJournalMenuItems();
    AddInputMenuItems();
    AddHealthMenuItems();
}

void TfrmSetup::pmDevicesPopup(gui::TObject&) {}

}  // namespace ui
