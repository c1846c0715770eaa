#include "ui/gui/DrawGrid.h"

#include <algorithm>

#include "base/ScopeExit.h"

namespace gui {

namespace {

// Visits the rows that can be on screen, in order: the fixed rows, then the rows
// from the top row down to the first one that starts below the client area. Rows
// scrolled out of view are never visited, so a paint costs what its visible rows
// cost however long the grid is.
template <typename Visit>
void ForEachShownRow(const TDrawGrid& grid, Visit visit) {
    const int fixed = std::min(grid.FixedRows, grid.RowCount());
    for (int row = 0; row < fixed; ++row) {
        visit(row);
    }
    const int first = std::max(grid.FixedRows, grid.TopRow());
    const int end = std::min(grid.RowCount(), first + grid.VisibleRowCount() + 1);
    for (int row = first; row < end; ++row) {
        visit(row);
    }
}

}  // namespace

void TDrawGrid::SetColCount(int count, int width) {
    colWidths_.resize(static_cast<std::size_t>(std::max(count, 1)), width);
    col_ = std::min(col_, ColCount() - 1);
    leftCol_ = std::clamp(leftCol_, FixedCols, ColCount() - 1);
    Notify(ControlChange::ColWidths);
    Invalidate();
}

void TDrawGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == rowCount_) {
        return;
    }
    rowCount_ = count;
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, count - 1));
    Notify(ControlChange::RowCount);
    if (row_ >= count) {
        // The current row is gone, so it moves whatever the handler answers.
        const int target = count - 1;
        try {
            AskSelect(col_, target);
        } catch (...) {
            MoveCurrent(col_, target);
            throw;
        }
        MoveCurrent(col_, target);
    }
    Invalidate();
}

void TDrawGrid::RowsReplaced(bool currentToo) {
    Notify(ControlChange::Rows);
    if (currentToo) {
        Notify(ControlChange::CurrentCell);
    }
}

void TDrawGrid::SetDefaultRowHeight(int height) {
    if (height == defaultRowHeight_) {
        return;
    }
    defaultRowHeight_ = height;
    Notify(ControlChange::RowHeight);
    Invalidate();
}

void TDrawGrid::SetColWidth(int col, int width) {
    int& current = colWidths_.at(static_cast<std::size_t>(col));
    if (width == current) {
        return;
    }
    current = width;
    Notify(ControlChange::ColWidths);
    Invalidate();
}

int TDrawGrid::ClientWidth() const {
    return clientWidth_ >= 0 ? clientWidth_ : std::max(0, Width() - 2 * BorderWidth);
}

int TDrawGrid::ClientHeight() const {
    return clientHeight_ >= 0 ? clientHeight_ : std::max(0, Height() - 2 * BorderWidth);
}

void TDrawGrid::SetClientArea(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    ScrollInView();
}

void TDrawGrid::LoadCurrentCell(int col, int row) {
    col_ = col;
    row_ = row;
    topRow_ = std::max(FixedRows, row);
    leftCol_ = FixedCols;
}

void TDrawGrid::SetCurrentRow(int row) {
    if (row == row_ || row < FixedRows || row >= rowCount_) {
        return;
    }
    MoveCurrent(col_, row);
}

int TDrawGrid::VisibleRowCount() const {
    return std::max(1, (ClientHeight() - FixedRows * RowStride()) / RowStride());
}

int TDrawGrid::ColumnLeft(int col) const {
    if (col >= FixedCols && col < leftCol_) {
        return -1;
    }
    int x = 0;
    for (int c = 0; c < col; ++c) {
        if (c < FixedCols || c >= leftCol_) {
            x += ColWidth(c) + GridLineWidth;
        }
    }
    return x;
}

int TDrawGrid::RowTop(int row) const {
    if (row < FixedRows) {
        return row * RowStride();
    }
    if (row < topRow_) {
        return -1;
    }
    return (FixedRows + row - topRow_) * RowStride();
}

TRect TDrawGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_) {
        return {};
    }
    const int left = ColumnLeft(col);
    const int top = RowTop(row);
    if (left < 0 || top < 0 || left >= ClientWidth() || top >= ClientHeight()) {
        return {};
    }
    return {left, top, left + ColWidth(col), top + defaultRowHeight_};
}

bool TDrawGrid::MouseCoord(int x, int y, int& col, int& row) const {
    for (int r = 0; r < rowCount_; ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            const TRect rect = CellRect(c, r);
            if (!rect.Empty() && x >= rect.Left && x < rect.Right && y >= rect.Top &&
                y < rect.Bottom) {
                col = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

bool TDrawGrid::AskSelect(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell) {
        OnSelectCell(*this, col, row, canSelect);
    }
    return canSelect;
}

void TDrawGrid::MoveCurrent(int col, int row) {
    col_ = col;
    row_ = row;
    ScrollInView();
    Notify(ControlChange::CurrentCell);
    Invalidate();
}

bool TDrawGrid::MoveCurrentIfAllowed(int col, int row) {
    if (!AskSelect(col, row)) {
        return false;
    }
    MoveCurrent(col, row);
    return true;
}

void TDrawGrid::ScrollInView() {
    const int oldTop = topRow_;
    const int oldLeft = leftCol_;
    if (row_ >= FixedRows) {
        if (row_ < topRow_) {
            topRow_ = row_;
        } else if (row_ >= topRow_ + VisibleRowCount()) {
            topRow_ = row_ - VisibleRowCount() + 1;
        }
    }
    if (col_ >= FixedCols) {
        if (col_ < leftCol_) {
            leftCol_ = col_;
        }
        while (col_ > leftCol_ && ColumnLeft(col_) + ColWidth(col_) > ClientWidth()) {
            ++leftCol_;
        }
    }
    if (topRow_ != oldTop || leftCol_ != oldLeft) {
        Notify(ControlChange::TopLeft);
    }
}

void TDrawGrid::Paint(gui::Canvas& canvas, const TRect& update) {
    Dispatch([&] {
        // The grid's canvas is cleared when the paint ends, also by an exception.
        canvas_ = &canvas;
        const base::ScopeExit cleared([this] { canvas_ = nullptr; });
        if (OnBeginPaint) {
            OnBeginPaint(*this);
        }
        const base::ScopeExit ended([this] {
            if (OnEndPaint) {
                OnEndPaint(*this);
            }
        });
        PaintCells(update);
        PaintLinesAndRest(update);
    });
}

void TDrawGrid::PaintCells(const TRect& update) {
    ForEachShownRow(*this, [&](int row) {
        for (int col = 0; col < ColCount(); ++col) {
            const TRect rect = CellRect(col, row);
            if (!rect.Empty() && rect.Intersects(update) && canvas_->RectVisible(rect)) {
                PaintCell(col, row, rect);
            }
        }
    });
}

void TDrawGrid::PaintCell(int col, int row, const TRect& rect) {
    TGridDrawState state;
    state.Fixed = row < FixedRows || col < FixedCols;
    const bool current = col == col_ && row == row_;
    state.Selected = !state.Fixed && current;
    state.Focused = focused_ && current;
    if (state.Selected && (!state.Focused || Options.DrawFocusSelected)) {
        canvas_->SetBrushColor(clHighlight);
        canvas_->SetFontColor(clHighlightText);
    } else {
        canvas_->SetBrushColor(state.Fixed ? FixedColor : Color);
        canvas_->SetFontColor(clWindowText);
    }
    canvas_->FillRect(rect);
    if (OnDrawCell) {
        OnDrawCell(*this, col, row, rect, state);
    }
    if (state.Fixed) {
        canvas_->DrawRaisedEdge(rect);
    }
    if (state.Focused) {
        canvas_->DrawFocusRect(rect);
    }
}

void TDrawGrid::PaintLinesAndRest(const TRect& update) {
    int gridRight = 0;
    int gridBottom = 0;
    for (int col = 0; col < ColCount(); ++col) {
        const TRect rect = CellRect(col, std::min(row_, rowCount_ - 1));
        if (!rect.Empty()) {
            gridRight = std::max(gridRight, rect.Right + GridLineWidth);
        }
    }
    ForEachShownRow(*this, [&](int row) {
        const TRect rect = CellRect(std::min(col_, ColCount() - 1), row);
        if (!rect.Empty()) {
            gridBottom = std::max(gridBottom, rect.Bottom + GridLineWidth);
        }
    });
    auto fill = [&](TColor color, const TRect& rect) {
        if (!rect.Empty() && rect.Intersects(update)) {
            canvas_->SetBrushColor(color);
            canvas_->FillRect(rect);
        }
    };
    if (GridLineWidth > 0) {
        ForEachShownRow(*this, [&](int row) {
            const int top = RowTop(row);
            if (top >= 0 && top < ClientHeight() && (Options.HorzLine || Options.FixedHorzLine)) {
                const int y = top + defaultRowHeight_;
                fill(LineColor, {0, y, gridRight, y + GridLineWidth});
            }
        });
        for (int col = 0; col < ColCount(); ++col) {
            const int left = ColumnLeft(col);
            if (left >= 0 && left < ClientWidth() && (Options.VertLine || Options.FixedVertLine)) {
                const int x = left + ColWidth(col);
                fill(LineColor, {x, 0, x + GridLineWidth, gridBottom});
            }
        }
    }
    fill(Color, {gridRight, 0, ClientWidth(), ClientHeight()});
    fill(Color, {0, gridBottom, gridRight, ClientHeight()});
}

void TDrawGrid::SetFocused(bool focused) {
    if (focused != focused_) {
        focused_ = focused;
        Invalidate();
    }
}

void TDrawGrid::SelectCellByUser(int col, int row) {
    if (!Usable() || col < 0 || col >= ColCount() || row < 0 || row >= rowCount_) {
        return;
    }
    Dispatch([&] { MoveCurrentIfAllowed(col, row); });
}

void TDrawGrid::UserKey(TGridKey key) {
    if (!Usable() || rowCount_ <= FixedRows || ColCount() <= FixedCols) {
        return;
    }
    int col = col_;
    int row = row_;
    switch (key) {
        case TGridKey::Up:
            --row;
            break;
        case TGridKey::Down:
            ++row;
            break;
        case TGridKey::Left:
            --col;
            break;
        case TGridKey::Right:
            ++col;
            break;
        case TGridKey::PageUp:
            row -= VisibleRowCount();
            break;
        case TGridKey::PageDown:
            row += VisibleRowCount();
            break;
        case TGridKey::Home:
            col = FixedCols;
            break;
        case TGridKey::End:
            col = ColCount() - 1;
            break;
        case TGridKey::CtrlHome:
            row = FixedRows;
            break;
        case TGridKey::CtrlEnd:
            row = rowCount_ - 1;
            break;
    }
    col = std::clamp(col, FixedCols, ColCount() - 1);
    row = std::clamp(row, FixedRows, rowCount_ - 1);
    if (col == col_ && row == row_) {
        return;
    }
    Dispatch([&] { MoveCurrentIfAllowed(col, row); });
}

void TDrawGrid::UserWheel(int delta, unsigned linesPerNotch) {
    if ((delta > 0 && wheelPending_ < 0) || (delta < 0 && wheelPending_ > 0)) {
        wheelPending_ = 0;
    }
    wheelPending_ += delta;
    const int notches = wheelPending_ / kWheelDelta;
    wheelPending_ -= notches * kWheelDelta;
    if (notches == 0 || linesPerNotch == 0 || !Usable() || rowCount_ <= FixedRows) {
        return;
    }
    const long long perNotch = linesPerNotch == kWheelPageScroll
                                   ? VisibleRowCount()
                                   : static_cast<long long>(linesPerNotch);
    // Far beyond any row count, so that the clamp below decides.
    const long long rows = std::clamp(perNotch * notches, -1000000000LL, 1000000000LL);
    const int row = static_cast<int>(std::clamp(static_cast<long long>(row_) - rows,
                                                static_cast<long long>(FixedRows),
                                                static_cast<long long>(rowCount_ - 1)));
    if (row == row_) {
        return;
    }
    Dispatch([&] { MoveCurrentIfAllowed(col_, row); });
}

void TDrawGrid::UserScroll(int leftCol, int topRow) {
    Dispatch([&] {
        const int top = std::clamp(topRow, FixedRows, std::max(FixedRows, rowCount_ - 1));
        const int left = std::clamp(leftCol, FixedCols, std::max(FixedCols, ColCount() - 1));
        if (top != topRow_ || left != leftCol_) {
            topRow_ = top;
            leftCol_ = left;
            Notify(ControlChange::TopLeft);
            Invalidate();
        }
    });
}

void TDrawGrid::UserSetColWidth(int col, int width) {
    if (!Options.ColSizing || col < 0 || col >= ColCount()) {
        return;
    }
    Dispatch([&] { SetColWidth(col, std::max(0, width)); });
}

}  // namespace gui
