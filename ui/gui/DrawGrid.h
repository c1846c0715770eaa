// TDrawGrid: a grid of cells that the program paints itself. The grid keeps the
// geometry (rows, columns, fixed rows and columns, row height, column widths, the
// first visible row and column), the current cell and the focus, paints each
// cell's background and hands the cell to the draw handler. It asks the select
// handler before the current cell moves: on a click, on a key, and when a
// shrinking row count forces the current cell up to the new last row.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/gui/Canvas.h"
#include "ui/gui/Colors.h"
#include "ui/gui/Control.h"

namespace gui {

struct TGridDrawState {
    bool Selected = false;
    bool Focused = false;
    bool Fixed = false;
};

using TDrawCellEvent = std::function<void(TObject& Sender, int ACol, int ARow, const TRect& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject& Sender, int ACol, int ARow, bool& CanSelect)>;

struct TGridOptions {
    bool FixedVertLine = false;
    bool FixedHorzLine = false;
    bool VertLine = false;
    bool HorzLine = false;
    bool ColSizing = false;
    bool RowSizing = false;
    bool RangeSelect = false;
    bool RowSelect = false;
    bool Editing = false;
    bool DrawFocusSelected = false;  // the focused current cell keeps the selection colours
};

enum class TGridKey { Up, Down, Left, Right, PageUp, PageDown, Home, End, CtrlHome, CtrlEnd };

class TDrawGrid : public TControl {
  public:
    using TControl::TControl;
    ControlKind Kind() const override { return ControlKind::DrawGrid; }

    // --- geometry -------------------------------------------------------------
    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    void SetColCount(int count, int width);
    int RowCount() const { return rowCount_; }
    // From code. When the current row no longer exists, the last row becomes
    // current through the select handler, whose exceptions reach the caller.
    void SetRowCount(int count);
    int FixedRows = 0;
    int FixedCols = 0;
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int ColWidth(int col) const { return colWidths_.at(static_cast<std::size_t>(col)); }
    void SetColWidth(int col, int width);
    int GridLineWidth = 1;
    TGridOptions Options;
    int BorderWidth = 1;  // single border
    TColor Color = clWindow;
    TColor FixedColor = clBtnFace;
    TColor LineColor = clBtnFace;

    // The area inside the border and the scroll bars. Derived from the bounds
    // until a realisation that knows its scroll bars sets it.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientArea(int width, int height);

    // --- current cell and scrolling -------------------------------------------
    int Col() const { return col_; }
    int Row() const { return row_; }
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    // From code: sets the current cell at loading time, without asking.
    void LoadCurrentCell(int col, int row);
    // From code: makes an existing row current and scrolls it into view, without
    // asking the select handler (the caller shows what the row stands for).
    void SetCurrentRow(int row);
    // Rows below the fixed ones that fit whole in the client area (at least 1).
    int VisibleRowCount() const;
    // The cell's rectangle in client pixels; empty when it is scrolled out of view.
    TRect CellRect(int col, int row) const;
    // The cell under a client point; false outside every cell.
    bool MouseCoord(int x, int y, int& col, int& row) const;

    // --- painting -----------------------------------------------------------------
    // The canvas of the paint in progress, null outside painting.
    gui::Canvas* Canvas() const { return canvas_; }
    void Invalidate() { Notify(ControlChange::Invalidate); }
    // Paints at once, before returning.
    void Repaint() { Notify(ControlChange::Repaint); }

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    // Before the first cell of a paint, and after its last one, also when the paint
    // ends with an exception: what the cells read may be kept for exactly one paint.
    // OnEndPaint must not raise.
    TNotifyEvent OnBeginPaint;
    TNotifyEvent OnEndPaint;

    // --- what assistive technology reads (see GridAccess) ---------------------
    // The data rows that stand for something (rows below them are blank), a data
    // row's text read aloud, and its cells under their column titles. Asked for
    // each time a reader asks, never kept.
    std::function<int()> OnAccessRowCount;
    std::function<std::string(int ARow)> OnAccessRowName;
    std::function<std::string(int ARow)> OnAccessRowDescription;
    // From code: the rows stand for other things now (the list was built again);
    // currentToo when the current row, too, stands for something else.
    void RowsReplaced(bool currentToo);

    // --- entry points for the realisation -------------------------------------
    // Paints the cells that meet the area to update. An exception from the draw
    // handler ends the paint and goes to the error report.
    void Paint(gui::Canvas& canvas, const TRect& update);
    bool Focused() const { return focused_; }
    void SetFocused(bool focused);
    // The user clicked a cell.
    void SelectCellByUser(int col, int row);
    // The user pressed a movement key; it never leads into the fixed rows or columns.
    void UserKey(TGridKey key);
    // The user turned the wheel by delta (positive: away from the user, up). Deltas
    // add up until they make whole notches of kWheelDelta; each notch moves the
    // current row by linesPerNotch rows, or a page for kWheelPageScroll, through the
    // select handler once. A turn the other way drops what had added up.
    static constexpr int kWheelDelta = 120;
    static constexpr unsigned kWheelPageScroll = 0xFFFFFFFFu;
    void UserWheel(int delta, unsigned linesPerNotch);
    void UserScroll(int leftCol, int topRow);
    void UserSetColWidth(int col, int width);

  private:
    bool AskSelect(int col, int row);
    void MoveCurrent(int col, int row);
    bool MoveCurrentIfAllowed(int col, int row);
    void ScrollInView();
    void PaintCells(const TRect& update);
    void PaintCell(int col, int row, const TRect& rect);
    void PaintLinesAndRest(const TRect& update);
    int RowStride() const { return defaultRowHeight_ + GridLineWidth; }
    int ColumnLeft(int col) const;
    int RowTop(int row) const;

    std::vector<int> colWidths_;
    int rowCount_ = 0;
    int defaultRowHeight_ = 24;
    int col_ = 0;
    int row_ = 0;
    int topRow_ = 0;
    int leftCol_ = 0;
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    bool focused_ = false;
    int wheelPending_ = 0;  // wheel delta short of a whole notch
    gui::Canvas* canvas_ = nullptr;
};

}  // namespace gui
