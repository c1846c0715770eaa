// What a draw grid tells assistive technology (a screen reader), as the platform's
// accessibility interface asks for it: the grid is a list whose children are its
// data rows, numbered from 1 as the platform numbers children (0 is the grid
// itself). Every answer is read from the grid and its handlers when asked; nothing
// is kept, so a reader always hears what the cells show now.
#pragma once

#include <string>

#include "ui/gui/DrawGrid.h"

namespace gui {

class GridAccess {
  public:
    static constexpr int kSelf = 0;

    explicit GridAccess(TDrawGrid& grid) : grid_(grid) {}

    // The data rows that stand for something; a blank row (an empty list's) is none.
    int ChildCount() const;
    bool IsChild(int child) const { return child >= 1 && child <= ChildCount(); }
    // The row read as a person would, and its cells under their column titles.
    // Empty when reading fails: a reader never causes an error report.
    std::string Name(int child) const;
    std::string Description(int child) const;

    struct State {
        bool selected = false;
        bool focused = false;
        bool focusable = false;
        bool offscreen = false;
    };
    State ChildState(int child) const;
    // The child that holds the current cell, or kSelf when the current row is blank.
    int CurrentChild() const;
    // The row's visible cells in client pixels; empty when it is scrolled out of view.
    TRect Location(int child) const;
    // The child under a client point, kSelf on the grid elsewhere (its header, a
    // blank row, the area beyond the cells), -1 outside the client area.
    int ChildAt(int x, int y) const;

    enum class Direction { First, Last, Next, Previous };
    // The child in that direction from `from` (First and Last from the grid
    // itself), or -1 when there is none.
    int Navigate(int from, Direction direction) const;

    // Makes the child's row current the way a click does, through the select
    // handler. False when the child does not exist or the grid cannot take input.
    bool Select(int child);

  private:
    int RowOf(int child) const { return grid_.FixedRows + child - 1; }

    TDrawGrid& grid_;
};

}  // namespace gui
