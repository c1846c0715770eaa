// GridWindow: the scroll bars. The vertical bar scrolls by rows, the horizontal by
// columns; each shows only while there is something to scroll to, and the grid
// learns its client area (inside the border and the bars) from the window.
#include <algorithm>

#include "ui/win32/GridWindow.h"

namespace win32 {

int GridWindow::MaxTopRow() const {
    return std::max(grid_.FixedRows, grid_.RowCount() - grid_.VisibleRowCount());
}

int GridWindow::MaxLeftCol() const {
    int fixedWidth = 0;
    for (int col = 0; col < grid_.FixedCols; ++col) {
        fixedWidth += grid_.ColWidth(col) + grid_.GridLineWidth;
    }
    // The first column from which every column to the end fits.
    int width = fixedWidth;
    int left = grid_.ColCount();
    while (left > grid_.FixedCols) {
        const int next = width + grid_.ColWidth(left - 1) + grid_.GridLineWidth;
        if (next > grid_.ClientWidth() && left < grid_.ColCount()) {
            break;
        }
        width = next;
        --left;
    }
    return std::max(left, grid_.FixedCols);
}

void GridWindow::SetScrollBars() {
    SCROLLINFO rows{};
    rows.cbSize = sizeof(rows);
    rows.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    rows.nMin = 0;
    rows.nMax = std::max(0, grid_.RowCount() - grid_.FixedRows - 1);
    rows.nPage = static_cast<UINT>(grid_.VisibleRowCount());
    rows.nPos = grid_.TopRow() - grid_.FixedRows;
    ::SetScrollInfo(window_, SB_VERT, &rows, TRUE);

    // One position per column that can be scrolled out of view; none hides the bar.
    SCROLLINFO cols{};
    cols.cbSize = sizeof(cols);
    cols.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    cols.nMin = 0;
    cols.nMax = MaxLeftCol() - grid_.FixedCols;
    cols.nPage = 1;
    cols.nPos = grid_.LeftCol() - grid_.FixedCols;
    ::SetScrollInfo(window_, SB_HORZ, &cols, TRUE);
}

void GridWindow::UpdateScrollBars() {
    if (updatingScrollBars_ || window_ == nullptr) {
        return;
    }
    updatingScrollBars_ = true;
    // Showing or hiding one bar changes the room for the other: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        RECT client{};
        ::GetClientRect(window_, &client);
        const bool resized =
            client.right != grid_.ClientWidth() || client.bottom != grid_.ClientHeight();
        if (!resized && round > 0) {
            break;
        }
        // Only a new size brings the current cell back into view; scrolling away
        // from it must not.
        if (resized) {
            grid_.SetClientArea(client.right, client.bottom);
        }
        // With a bar gone nothing may stay scrolled out of reach.
        if (grid_.TopRow() > MaxTopRow() || grid_.LeftCol() > MaxLeftCol()) {
            grid_.UserScroll(std::min(grid_.LeftCol(), MaxLeftCol()),
                             std::min(grid_.TopRow(), MaxTopRow()));
        }
        SetScrollBars();
    }
    updatingScrollBars_ = false;
}

void GridWindow::Scroll(int bar, WORD code) {
    const bool vertical = bar == SB_VERT;
    const int first = vertical ? grid_.FixedRows : grid_.FixedCols;
    const int last = vertical ? MaxTopRow() : MaxLeftCol();
    const int current = vertical ? grid_.TopRow() : grid_.LeftCol();
    const int page = vertical ? grid_.VisibleRowCount() : 1;
    int target = current;
    switch (code) {
        case SB_LINEUP:
            target = current - 1;
            break;
        case SB_LINEDOWN:
            target = current + 1;
            break;
        case SB_PAGEUP:
            target = current - page;
            break;
        case SB_PAGEDOWN:
            target = current + page;
            break;
        case SB_TOP:
            target = first;
            break;
        case SB_BOTTOM:
            target = last;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            ::GetScrollInfo(window_, bar, &info);
            target = first + info.nTrackPos;
            break;
        }
        default:
            return;
    }
    target = std::clamp(target, first, std::max(first, last));
    if (vertical) {
        grid_.UserScroll(grid_.LeftCol(), target);
    } else {
        grid_.UserScroll(target, grid_.TopRow());
    }
}

}  // namespace win32
