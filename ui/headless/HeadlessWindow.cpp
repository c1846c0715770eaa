#include "ui/headless/HeadlessWindow.h"

#include "ui/Layout.h"

namespace headless {

class HeadlessWindow::GridPeer : public gui::ControlPeer {
  public:
    explicit GridPeer(HeadlessWindow& window) : window_(window) {}
    void Changed(gui::TControl&, gui::ControlChange what) override {
        if (what == gui::ControlChange::Repaint) {
            window_.Paint();
        }
    }

  private:
    HeadlessWindow& window_;
};

class HeadlessWindow::FormPeer : public gui::FormPeer {
  public:
    explicit FormPeer(HeadlessWindow& window) : window_(window) {}
    HWND Handle() const override { return MainWindowHandle(); }
    void Changed(gui::TForm&, gui::FormChange what) override {
        if (what == gui::FormChange::Shown) {
            window_.centred_ = true;
        } else if (what == gui::FormChange::Closed) {
            window_.closed_ = true;
            window_.app_->Terminate();
        }
    }

  private:
    HeadlessWindow& window_;
};

HeadlessWindow::HeadlessWindow(WindowOptions options) {
    desktop_.commandLine = options.commandLine;
    desktop_.pixelsPerInch = options.pixelsPerInch;
    desktop_.textHeight = options.textHeight;
    app_ = std::make_unique<gui::TApplication>(desktop_);
    app_->Title = ui::layout::kWindow.applicationTitle;
    gridPeer_ = std::make_unique<GridPeer>(*this);
    formPeer_ = std::make_unique<FormPeer>(*this);
    form_ = std::make_unique<ui::TfrmSetup>(*app_);
    form_->SetPeer(formPeer_.get());
    form_->dgDevices->SetPeer(gridPeer_.get());
    form_->DoCreate();
    if (options.show) {
        form_->Show();
    }
}

HeadlessWindow::~HeadlessWindow() {
    form_->dgDevices->SetPeer(nullptr);
    form_->SetPeer(nullptr);
    form_.reset();
}

void HeadlessWindow::Paint() {
    ++paints_;
    canvas_.Clear();
    gui::TDrawGrid& grid = *form_->dgDevices;
    grid.Paint(canvas_, {0, 0, grid.ClientWidth(), grid.ClientHeight()});
}

bool HeadlessWindow::ChooseGridMenuItem(const std::string& caption) {
    if (!GridMenuItemEnabled(caption)) {
        return false;
    }
    gui::TPopupMenu& menu = *form_->dgDevices->PopupMenu;
    menu.UserChoose(*menu.IndexOf(caption));
    return true;
}

bool HeadlessWindow::GridMenuItemEnabled(const std::string& caption) {
    gui::TPopupMenu* menu = form_->dgDevices->PopupMenu;
    if (menu == nullptr || !menu->UserPopup()) {
        return false;
    }
    const gui::TMenuItem* item = menu->Find(caption);
    return item != nullptr && item->Enabled;
}

std::optional<DrawnCell> HeadlessWindow::Cell(int col, int row) const {
    const gui::TRect rect = form_->dgDevices->CellRect(col, row);
    if (rect.Empty()) {
        return std::nullopt;
    }
    DrawnCell cell;
    cell.col = col;
    cell.row = row;
    cell.rect = rect;
    int fills = 0;
    for (const CanvasOp& op : canvas_.Ops()) {
        if (!(op.rect == rect)) {
            continue;
        }
        switch (op.kind) {
            case CanvasOp::Kind::Fill:
                ++fills;
                cell.background = op.brush;
                break;
            case CanvasOp::Kind::Text:
                cell.hasText = true;
                cell.text = op.text;
                cell.textX = op.x;
                cell.textY = op.y;
                cell.background = op.brush;
                break;
            case CanvasOp::Kind::RaisedEdge:
                break;
            case CanvasOp::Kind::FocusRect:
                cell.focusRect = true;
                break;
        }
    }
    if (fills == 0) {
        return std::nullopt;
    }
    cell.filledByHandler = fills > 1;
    return cell;
}

std::vector<DrawnCell> HeadlessWindow::Cells() const {
    std::vector<DrawnCell> cells;
    const gui::TDrawGrid& grid = *form_->dgDevices;
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            if (auto cell = Cell(col, row)) {
                cells.push_back(*cell);
            }
        }
    }
    return cells;
}

LRESULT HeadlessWindow::SendDeviceChange(WPARAM event) {
    gui::TMessage message{WM_DEVICECHANGE, event, 0, -1};
    return form_->Perform(message) ? message.Result : -1;
}

}  // namespace headless
