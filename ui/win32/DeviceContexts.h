// Owners of device contexts and of what is selected into them: a window's or the
// screen's DC (GetDC / ReleaseDC), a paint's DC (BeginPaint / EndPaint), a memory
// DC (CreateCompatibleDC / DeleteDC), an object selected for a while
// (SelectObject, the previous one put back at the end), and a DC's whole drawing
// state kept for a while (SaveDC / RestoreDC).
#pragma once

#include <windows.h>

namespace win32 {

class WindowDC {
  public:
    // Null: the whole screen.
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

class PaintSession {
  public:
    explicit PaintSession(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintSession() { ::EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC get() const { return dc_; }
    const RECT& UpdateRect() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) {
            ::DeleteDC(dc_);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class SavedDCState {
  public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDCState() {
        if (saved_ != 0) {
            ::RestoreDC(dc_, saved_);
        }
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

  private:
    HDC dc_;
    int saved_;
};

}  // namespace win32
