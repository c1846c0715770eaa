// GridWindow: keys, the mouse and its wheel. Every move of the current cell goes through the
// portable grid, which asks the select handler first; a drag on a header
// separator resizes that column.
#include <cstdlib>

#include "ui/win32/GridWindow.h"
#include "ui/win32/PopupMenuWindow.h"

namespace win32 {

namespace {

bool ControlDown() {
    return ::GetKeyState(VK_CONTROL) < 0;
}

// The system's wheel setting: rows per notch, WHEEL_PAGESCROLL for a page, 0 for none.
unsigned WheelScrollLines() {
    UINT lines = 3;
    if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        return 3;
    }
    return lines;
}

}  // namespace

void GridWindow::Wheel(WPARAM wParam) {
    static_assert(gui::TDrawGrid::kWheelDelta == WHEEL_DELTA &&
                  gui::TDrawGrid::kWheelPageScroll == WHEEL_PAGESCROLL);
    grid_.UserWheel(GET_WHEEL_DELTA_WPARAM(wParam), WheelScrollLines());
}

void GridWindow::Key(WPARAM key) {
    switch (key) {
        case VK_UP:
            grid_.UserKey(gui::TGridKey::Up);
            break;
        case VK_DOWN:
            grid_.UserKey(gui::TGridKey::Down);
            break;
        case VK_LEFT:
            grid_.UserKey(gui::TGridKey::Left);
            break;
        case VK_RIGHT:
            grid_.UserKey(gui::TGridKey::Right);
            break;
        case VK_PRIOR:
            grid_.UserKey(gui::TGridKey::PageUp);
            break;
        case VK_NEXT:
            grid_.UserKey(gui::TGridKey::PageDown);
            break;
        case VK_HOME:
            grid_.UserKey(ControlDown() ? gui::TGridKey::CtrlHome : gui::TGridKey::Home);
            break;
        case VK_END:
            grid_.UserKey(ControlDown() ? gui::TGridKey::CtrlEnd : gui::TGridKey::End);
            break;
        default:
            break;
    }
}

int GridWindow::SizingColumnAt(int x, int y) const {
    if (!grid_.Options.ColSizing || grid_.FixedRows == 0 ||
        y >= grid_.FixedRows * (grid_.DefaultRowHeight() + grid_.GridLineWidth) || y < 0) {
        return -1;
    }
    for (int col = grid_.ColCount() - 1; col >= 0; --col) {
        const gui::TRect cell = grid_.CellRect(col, 0);
        if (!cell.Empty() && std::abs(x - cell.Right) <= kSizingMargin) {
            return col;
        }
    }
    return -1;
}

void GridWindow::MouseDown(int x, int y) {
    if (!grid_.Usable()) {
        return;
    }
    if (::GetFocus() != window_) {
        ::SetFocus(window_);
    }
    const int sizing = SizingColumnAt(x, y);
    if (sizing >= 0) {
        sizingCol_ = sizing;
        const gui::TRect cell = grid_.CellRect(sizing, 0);
        sizingLeft_ = cell.Left;
        sizingGrip_ = x - cell.Right;
        ::SetCapture(window_);
        return;
    }
    int col = 0;
    int row = 0;
    if (grid_.MouseCoord(x, y, col, row)) {
        selecting_ = true;
        ::SetCapture(window_);
        grid_.SelectCellByUser(col, row);
    }
}

void GridWindow::MouseMove(int x, int y) {
    if (sizingCol_ >= 0) {
        grid_.UserSetColWidth(sizingCol_, x - sizingGrip_ - sizingLeft_);
        return;
    }
    if (!selecting_) {
        return;
    }
    int col = 0;
    int row = 0;
    if (grid_.MouseCoord(x, y, col, row) && row >= grid_.FixedRows &&
        (col != grid_.Col() || row != grid_.Row())) {
        grid_.SelectCellByUser(col, row);
    }
}

void GridWindow::TrackPointerRow(int x, int y) {
    int col = 0;
    int row = 0;
    const int now = grid_.MouseCoord(x, y, col, row) && row >= grid_.FixedRows ? row : -1;
    if (now != pointerRow_) {
        pointerRow_ = now;
        if (OnPointerRow) {
            OnPointerRow(now);
        }
    }
}

void GridWindow::RightMouseDown(int x, int y) {
    if (!grid_.Usable()) {
        return;
    }
    if (::GetFocus() != window_) {
        ::SetFocus(window_);
    }
    int col = 0;
    int row = 0;
    if (grid_.MouseCoord(x, y, col, row) && row >= grid_.FixedRows && col >= grid_.FixedCols &&
        (col != grid_.Col() || row != grid_.Row())) {
        grid_.SelectCellByUser(col, row);
    }
}

void GridWindow::ShowContextMenu(LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        const gui::TRect cell = grid_.CellRect(grid_.Col(), grid_.Row());
        point = cell.Empty() ? POINT{0, 0} : POINT{cell.Left, cell.Bottom};
        ::ClientToScreen(window_, &point);
    }
    TrackPopup(*grid_.PopupMenu, window_, point);
}

void GridWindow::EndMouse() {
    sizingCol_ = -1;
    selecting_ = false;
}

}  // namespace win32
