// The device grid as a real control, a window class of our own: it paints the
// portable grid's cells on a real device context (only those in the region to
// paint), keeps its scroll bars, and turns keys, clicks, drags on a header
// separator and scrolling into the grid's User... entry points, which ask the
// select handler before the current cell moves. A right click or the menu key
// shows the grid's context menu. Screen readers get the grid as a list of rows
// (GridAccessible); the window announces the current row when it changes.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/gui/DrawGrid.h"
#include "ui/win32/ComPtr.h"
#include "ui/win32/ControlWindow.h"
#include "ui/win32/GridAccessible.h"

namespace win32 {

class GridWindow : public ControlWindow {
  public:
    GridWindow(gui::TDrawGrid& grid, HWND parent, int id, HFONT font);
    ~GridWindow() override;

    void Changed(gui::TControl& control, gui::ControlChange what) override;
    void SetFont(HFONT font) override;

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // How near to a header separator (in pixels, either side) a drag resizes.
    static constexpr int kSizingMargin = 3;

    // The pointer moved onto another row (-1: none, or a fixed row).
    std::function<void(int row)> OnPointerRow;

  private:
    void PaintOn(HDC dc, const RECT& update);
    // WM_GETOBJECT for the client area: the grid's accessible object, made on the
    // first question and kept while the window exists. 0 when there is none.
    LRESULT AccessibleObject(WPARAM wParam);
    // Tells readers which row is current now: the focus (while the grid has the
    // keyboard) and the selection.
    void AnnounceCurrentRow();
    void DisconnectAccessible();
    void UpdateScrollBars();
    void SetScrollBars();
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void Scroll(int bar, WORD code);
    void Key(WPARAM key);
    void Wheel(WPARAM wParam);
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    void EndMouse();
    // A right click makes the row under it current, so its context menu is about it.
    void RightMouseDown(int x, int y);
    // At the pointer, or below the current cell when the keyboard asked (lParam -1).
    void ShowContextMenu(LPARAM lParam);
    // The column whose right separator in the header lies under the point, or -1.
    int SizingColumnAt(int x, int y) const;
    void TrackPointerRow(int x, int y);

    gui::TDrawGrid& grid_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    bool updatingScrollBars_ = false;
    int sizingCol_ = -1;
    int sizingLeft_ = 0;
    int sizingGrip_ = 0;  // where on the separator the drag started
    bool selecting_ = false;
    int pointerRow_ = -1;
    ComPtr<GridAccessible> accessible_;
    bool destroyed_ = false;
};

LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
