#include "ui/win32/GridWindow.h"

#include "base/Failure.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/Win32Canvas.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

GridWindow::GridWindow(gui::TDrawGrid& grid, HWND parent, int id, HFONT font)
    : ControlWindow(grid), grid_(grid), font_(font) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL;
    if (grid.Visible()) {
        style |= WS_VISIBLE;
    }
    if (!grid.Enabled()) {
        style |= WS_DISABLED;
    }
    if (grid.TabStop && grid.TabOrder >= 0) {
        style |= WS_TABSTOP;
    }
    // The single border.
    const HWND window = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, kGridClassName, "", style, grid.Left(), grid.Top(), grid.Width(),
        grid.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), this);
    if (window == nullptr) {
        throw base::Failure("CreateWindowEx " + grid.Name());
    }
    Attach(window);
    UpdateScrollBars();
}

GridWindow::~GridWindow() {
    DisconnectAccessible();
}

void GridWindow::DisconnectAccessible() {
    destroyed_ = true;
    if (accessible_) {
        accessible_->Disconnect();
        accessible_.reset();
    }
}

LRESULT GridWindow::AccessibleObject(WPARAM wParam) {
    const AccessibilityLibrary* library = AccessibilityLibrary::Get();
    if (library == nullptr || destroyed_) {
        return 0;
    }
    if (!accessible_) {
        accessible_ = GridAccessible::Create(grid_, window_, *library);
    }
    // A new reference for the reader; the window keeps its own.
    const LRESULT reference =
        library->ResultFromObject(__uuidof(IAccessible), wParam, accessible_.get());
    return reference > 0 ? reference : 0;
}

void GridWindow::AnnounceCurrentRow() {
    if (window_ == nullptr) {
        return;
    }
    const int child = gui::GridAccess(grid_).CurrentChild();
    if (::GetFocus() == window_) {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, child);
    }
    if (child != gui::GridAccess::kSelf) {
        ::NotifyWinEvent(EVENT_OBJECT_SELECTION, window_, OBJID_CLIENT, child);
    }
}

void GridWindow::SetFont(HFONT font) {
    font_ = font;
    ::InvalidateRect(window_, nullptr, FALSE);
}

void GridWindow::Changed(gui::TControl& control, gui::ControlChange what) {
    switch (what) {
        case gui::ControlChange::RowCount:
        case gui::ControlChange::RowHeight:
        case gui::ControlChange::ColWidths:
        case gui::ControlChange::TopLeft:
            UpdateScrollBars();
            ::InvalidateRect(window_, nullptr, FALSE);
            break;
        case gui::ControlChange::CurrentCell:
            ::InvalidateRect(window_, nullptr, FALSE);
            AnnounceCurrentRow();
            break;
        case gui::ControlChange::Rows:
            ::NotifyWinEvent(EVENT_OBJECT_REORDER, window_, OBJID_CLIENT, CHILDID_SELF);
            break;
        case gui::ControlChange::Invalidate:
            ::InvalidateRect(window_, nullptr, FALSE);
            break;
        case gui::ControlChange::Repaint:
            ::InvalidateRect(window_, nullptr, FALSE);
            ::UpdateWindow(window_);
            break;
        default:
            ControlWindow::Changed(control, what);
            break;
    }
}

void GridWindow::PaintOn(HDC dc, const RECT& update) {
    // A DC handed in by WM_PRINTCLIENT goes back to its owner as it came.
    SavedDCState state(dc);
    SelectedObject font(dc, font_);
    Win32Canvas canvas(dc);
    grid_.Paint(canvas, {update.left, update.top, update.right, update.bottom});
}

LRESULT GridWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages arrive while CreateWindowEx runs, before Attach.
    window_ = window;
    switch (message) {
        case WM_PAINT: {
            PaintSession paint(window);
            PaintOn(paint.get(), paint.UpdateRect());
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            ::GetClientRect(window, &client);
            PaintOn(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND:
            // Every pixel is painted by the grid itself.
            return 1;
        case WM_SIZE:
            UpdateScrollBars();
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            grid_.SetFocused(true);
            // Windows announces the grid itself; the row is ours to announce.
            if (gui::GridAccess(grid_).CurrentChild() != gui::GridAccess::kSelf) {
                AnnounceCurrentRow();
            }
            return 0;
        case WM_KILLFOCUS:
            grid_.SetFocused(false);
            return 0;
        case WM_KEYDOWN:
            Key(wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_RBUTTONDOWN:
            RightMouseDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_CONTEXTMENU:
            if (grid_.PopupMenu != nullptr && grid_.Usable()) {
                ShowContextMenu(lParam);
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            TrackPointerRow(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            MouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_LBUTTONUP:
            if (::GetCapture() == window) {
                ::ReleaseCapture();
            }
            EndMouse();
            return 0;
        case WM_CAPTURECHANGED:
            EndMouse();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT point{};
                ::GetCursorPos(&point);
                ::ScreenToClient(window, &point);
                if (sizingCol_ >= 0 || SizingColumnAt(point.x, point.y) >= 0) {
                    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
                    return TRUE;
                }
            }
            break;
        case WM_MOUSEWHEEL:
            Wheel(wParam);
            return 0;
        case WM_GETOBJECT:
            // The DWORD cast: 64-bit callers may or may not sign-extend the ID.
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
                if (const LRESULT reference = AccessibleObject(wParam)) {
                    return reference;
                }
            }
            break;
        case WM_DESTROY:
            DisconnectAccessible();
            break;
        case WM_VSCROLL:
            Scroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            Scroll(SB_HORZ, LOWORD(wParam));
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<GridWindow, &GridWindow::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
