#include "ui/gui/GridAccess.h"

#include <algorithm>

namespace gui {

namespace {

// A reader's question never ends in an error report: whatever fails while a row
// is read gives an empty text.
template <typename Read>
std::string ReadOrEmpty(const Read& read) {
    try {
        return read();
    } catch (...) {
        return {};
    }
}

}  // namespace

int GridAccess::ChildCount() const {
    const int rows = std::max(0, grid_.RowCount() - grid_.FixedRows);
    if (!grid_.OnAccessRowCount) {
        return rows;
    }
    return std::clamp(grid_.OnAccessRowCount(), 0, rows);
}

std::string GridAccess::Name(int child) const {
    if (!IsChild(child) || !grid_.OnAccessRowName) {
        return {};
    }
    return ReadOrEmpty([&] { return grid_.OnAccessRowName(RowOf(child)); });
}

std::string GridAccess::Description(int child) const {
    if (!IsChild(child) || !grid_.OnAccessRowDescription) {
        return {};
    }
    return ReadOrEmpty([&] { return grid_.OnAccessRowDescription(RowOf(child)); });
}

int GridAccess::CurrentChild() const {
    const int child = grid_.Row() - grid_.FixedRows + 1;
    return IsChild(child) ? child : kSelf;
}

GridAccess::State GridAccess::ChildState(int child) const {
    State state;
    if (!IsChild(child)) {
        return state;
    }
    const bool current = child == CurrentChild();
    state.selected = current;
    state.focused = current && grid_.Focused();
    state.focusable = grid_.Usable();
    state.offscreen = Location(child).Empty();
    return state;
}

TRect GridAccess::Location(int child) const {
    if (!IsChild(child)) {
        return {};
    }
    TRect row;
    for (int col = 0; col < grid_.ColCount(); ++col) {
        const TRect cell = grid_.CellRect(col, RowOf(child));
        if (cell.Empty()) {
            continue;
        }
        if (row.Empty()) {
            row = cell;
        } else {
            row.Left = std::min(row.Left, cell.Left);
            row.Right = std::max(row.Right, cell.Right);
        }
    }
    // A partly shown last column ends at the client area's edge.
    row.Right = std::min(row.Right, grid_.ClientWidth());
    row.Bottom = std::min(row.Bottom, grid_.ClientHeight());
    return row.Empty() ? TRect{} : row;
}

int GridAccess::ChildAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= grid_.ClientWidth() || y >= grid_.ClientHeight()) {
        return -1;
    }
    int col = 0;
    int row = 0;
    if (grid_.MouseCoord(x, y, col, row)) {
        const int child = row - grid_.FixedRows + 1;
        if (IsChild(child)) {
            return child;
        }
    }
    return kSelf;
}

int GridAccess::Navigate(int from, Direction direction) const {
    const int count = ChildCount();
    int to = -1;
    switch (direction) {
        case Direction::First:
            to = from == kSelf ? 1 : -1;
            break;
        case Direction::Last:
            to = from == kSelf ? count : -1;
            break;
        case Direction::Next:
            to = IsChild(from) ? from + 1 : -1;
            break;
        case Direction::Previous:
            to = IsChild(from) ? from - 1 : -1;
            break;
    }
    return IsChild(to) ? to : -1;
}

bool GridAccess::Select(int child) {
    if (!IsChild(child) || !grid_.Usable()) {
        return false;
    }
    grid_.SelectCellByUser(std::max(grid_.Col(), grid_.FixedCols), RowOf(child));
    return true;
}

}  // namespace gui
