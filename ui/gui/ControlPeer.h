// The link from a portable control to its realisation. When code changes a
// control's state, the control tells its peer which aspect changed and the peer
// mirrors it (a real window reads the new value from the control). The other way
// round, the realisation calls the control's User... entry points, which run the
// handlers through the application's error report.
#pragma once

namespace gui {

class TControl;

enum class ControlChange {
    Bounds,
    Enabled,
    Visible,
    Caption,
    Checked,      // check box
    Items,        // combo box: the item list
    ItemIndex,    // combo box: the chosen item
    RowCount,     // grid
    CurrentCell,  // grid: the current cell moved
    Rows,         // grid: the rows stand for other things (a rebuild)
    TopLeft,      // grid: first visible row or column
    RowHeight,    // grid: default row height
    ColWidths,    // grid
    Invalidate,   // repaint at the next opportunity
    Repaint,      // repaint now, before returning
};

class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void Changed(TControl& control, ControlChange what) = 0;
};

}  // namespace gui
