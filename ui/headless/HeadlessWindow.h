// The setup window without a screen: the application, the window and its desktop
// in memory. Building one runs the program's start as the real one does (title,
// loading at the screen's density, creation, showing); then a test clicks, picks,
// selects, answers questions and reads back the controls, the cells drawn by the
// last paint of the grid, the message boxes and the clipboard.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/SetupF.h"
#include "ui/gui/Application.h"
#include "ui/headless/HeadlessDesktop.h"
#include "ui/headless/RecordingCanvas.h"

namespace headless {

struct WindowOptions {
    std::string commandLine = "quorvin.exe";
    int pixelsPerInch = 96;
    std::optional<int> textHeight;
    bool show = true;
};

// What one cell showed in a paint.
struct DrawnCell {
    int col = 0;
    int row = 0;
    gui::TRect rect;
    std::string text;
    bool hasText = false;
    int textX = 0;  // the text's origin
    int textY = 0;
    // The colour the cell ends up with: the last fill behind it or behind its text.
    gui::TColor background = 0;
    // Whether the draw handler filled the cell itself (after the grid's own fill).
    bool filledByHandler = false;
    bool focusRect = false;
};

// The frame the headless window adds around the client area.
inline constexpr int kFrameWidth = 8;
inline constexpr int kFrameHeight = 27;

class HeadlessWindow {
  public:
    explicit HeadlessWindow(WindowOptions options = {});
    ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    HeadlessDesktop& Desktop() { return desktop_; }
    gui::TApplication& App() { return *app_; }
    ui::TfrmSetup& Form() { return *form_; }

    // The outer size, frame included.
    int OuterWidth() const { return form_->ClientWidth() + kFrameWidth; }
    int OuterHeight() const { return form_->ClientHeight() + kFrameHeight; }
    bool Centred() const { return centred_; }
    bool Closed() const { return closed_; }

    // Paints the whole grid now, as a WM_PAINT would.
    void Paint();
    int PaintCount() const { return paints_; }
    // The cells of the last paint; a cell the paint did not reach is absent.
    std::optional<DrawnCell> Cell(int col, int row) const;
    std::vector<DrawnCell> Cells() const;
    // Every operation of the last paint of the grid.
    const RecordingCanvas& Canvas() const { return canvas_; }

    // The user opens the grid's context menu and chooses the item with the caption
    // ("&" ignored). False, and nothing chosen, when the grid has no menu, the menu
    // has no such item or the item is disabled when the menu appears.
    bool ChooseGridMenuItem(const std::string& caption);
    // Whether the item is there and enabled when the menu appears; the menu is
    // then dismissed.
    bool GridMenuItemEnabled(const std::string& caption);

    // A WM_DEVICECHANGE reaching the main window; returns the window procedure's result.
    LRESULT SendDeviceChange(WPARAM event = 0x0007);

  private:
    class GridPeer;
    class FormPeer;

    HeadlessDesktop desktop_;
    std::unique_ptr<gui::TApplication> app_;
    RecordingCanvas canvas_;
    std::unique_ptr<GridPeer> gridPeer_;
    std::unique_ptr<FormPeer> formPeer_;
    std::unique_ptr<ui::TfrmSetup> form_;
    int paints_ = 0;
    bool centred_ = false;
    bool closed_ = false;
};

}  // namespace headless
