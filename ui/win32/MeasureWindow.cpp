#include "ui/win32/MeasureWindow.h"

#include <algorithm>

#include "measure/MeasureLines.h"
#include "ui/MeasureView.h"
#include "ui/WindowPlacement.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/OwnedTopWindow.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/SmallWindowMeasures.h"
#include "ui/win32/SmallWindowPlace.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 100;
constexpr double kFiguresEverySeconds = 1.0;
// The client area in average character widths and lines of the font.
constexpr int kWidthInChars = 96;
constexpr int kPlotLines = 14;
constexpr DWORD kStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr COLORREF kIntervalColor = RGB(0, 0, 192);
constexpr COLORREF kExpectedColor = RGB(208, 0, 0);
constexpr COLORREF kOffScaleColor = RGB(240, 128, 0);
constexpr COLORREF kGridColor = RGB(224, 224, 224);
// How far an off-scale mark reaches down from the plot's top.
constexpr int kOffScaleMark = 5;

using PenHandle = GdiObject<HPEN>;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

}  // namespace

MeasureWindow::MeasureWindow(HINSTANCE instance, HWND owner, HFONT font, MeasureTarget target)
    : target_(std::move(target)), font_(font), stats_(input::CounterFrequency()) {
    const TEXTMETRICA metrics = ScreenTextMetrics(font);
    lineHeight_ = static_cast<int>(metrics.tmHeight);
    const int margin = ControlGap(lineHeight_);
    const SIZE outer =
        OuterSize(static_cast<int>(kWidthInChars * metrics.tmAveCharWidth) + 2 * margin,
                  margin + static_cast<int>(kTextLines) * lineHeight_ + margin +
                      kPlotLines * lineHeight_ + margin,
                  kStyle);
    const gui::TRect place =
        ui::PlaceBeside(ScreenRectOf(owner), outer.cx, outer.cy, WorkAreaOf(owner));
    const std::string caption = "Polling rate - " + target_.name;
    window_ = CreateOwnedTopWindow({kMeasureClassName, caption.c_str(), kStyle}, place, owner,
                                   instance, this, "measuring window");
    const HWND window = window_.get();
    for (std::size_t i = 0; i < kFigureLines + 2; ++i) {
        texts_.push_back(
            CreateChildControl(window, instance, font_, {"STATIC", "", SS_LEFT | SS_NOPREFIX}));
    }
    shown_.resize(texts_.size());
    RECT client{};
    ::GetClientRect(window, &client);
    Arrange(client.right);
    UpdateFigures();
    ::SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
    ::ShowWindow(window, SW_SHOWNORMAL);
}

void MeasureWindow::Report(const input::Report& report) {
    if (closed_ || std::find(target_.collections.begin(), target_.collections.end(),
                             report.collectionId) == target_.collections.end()) {
        return;
    }
    stats_.Add(report.time, report.background);
}

void MeasureWindow::UpdateFigures() {
    figuresAt_ = input::CounterNow();
    figures_ = stats_.Figures(figuresAt_);
    std::vector<std::string> lines = measure::MeasureLines(figures_, target_.keyboard);
    lines.resize(kFigureLines);
    lines.push_back(measure::ExpectedLine(target_.setting));
    lines.push_back(measure::DifferenceLine(figures_, target_.setting));
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        // Unchanged text is not set again: it would flicker, and make a screen
        // reader that follows the window read it out once more.
        if (shown_[i] != lines[i]) {
            ::SetWindowTextA(texts_[i], lines[i].c_str());
            shown_[i] = lines[i];
        }
    }
}

void MeasureWindow::Tick() {
    // Until there is enough data the figures are cheap and each report counts.
    const double age = static_cast<double>(input::CounterNow() - figuresAt_) /
                       static_cast<double>(input::CounterFrequency());
    if (!figures_.enough || age >= kFiguresEverySeconds) {
        UpdateFigures();
    }
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    const RECT plot = PlotArea(client, lineHeight_);
    // The scale's labels lie left of the plot.
    const RECT repaint{0, plot.top, client.right, client.bottom};
    ::InvalidateRect(window_.get(), &repaint, FALSE);
}

void MeasureWindow::Arrange(int width) {
    const int margin = ControlGap(lineHeight_);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const bool difference = i + 1 == texts_.size();
        ::MoveWindow(texts_[i], margin, margin + static_cast<int>(i) * lineHeight_,
                     width - 2 * margin, (difference ? 2 : 1) * lineHeight_, TRUE);
    }
}

RECT MeasureWindow::PlotArea(const RECT& client, int textHeight) {
    const int margin = ControlGap(textHeight);
    const int top = margin + static_cast<int>(kTextLines) * textHeight + margin;
    return RECT{margin + 3 * textHeight + margin, top, client.right - margin,
                std::max(top + 10, static_cast<int>(client.bottom) - margin)};
}

void MeasureWindow::Paint(HDC target, const RECT& client) {
    // Drawn off screen and copied in one go, so that the refreshes do not flicker.
    MemoryDC memory(target);
    BitmapHandle bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    SelectedObject selectedBitmap(memory.get(), bitmap.get());
    const HDC dc = memory.get();
    SelectedObject selectedFont(dc, font_);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));

    const LONGLONG now = input::CounterNow();
    const RECT plot = PlotArea(client, lineHeight_);
    ::FillRect(dc, &plot, ::GetSysColorBrush(COLOR_WINDOW));
    ::FrameRect(dc, &plot, ::GetSysColorBrush(COLOR_BTNSHADOW));
    const gui::TRect inner{plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1};
    const ui::PlotScale scale =
        ui::ChoosePlotScale(inner, target_.setting.expectedMs, figures_.medianMs, figures_.highMs);
    PenHandle gridPen(::CreatePen(PS_SOLID, 1, kGridColor));
    {
        SelectedObject pen(dc, gridPen.get());
        for (int quarter = 1; quarter < 4; ++quarter) {
            const int lineY = scale.Y(scale.topMs * quarter / 4);
            Line(dc, inner.Left, lineY, inner.Right, lineY);
        }
    }
    const int margin = ControlGap(lineHeight_);
    const std::string top = std::to_string(static_cast<int>(scale.topMs)) + " ms";
    ::TextOutA(dc, margin, plot.top, top.c_str(), static_cast<int>(top.size()));
    ::TextOutA(dc, margin, plot.bottom - lineHeight_, "0 ms", 4);

    if (target_.setting.expectedMs > 0) {
        PenHandle expectedPen(::CreatePen(PS_DASH, 1, kExpectedColor));
        SelectedObject pen(dc, expectedPen.get());
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        const int lineY = scale.Y(target_.setting.expectedMs);
        Line(dc, inner.Left, lineY, inner.Right, lineY);
        ::SetBkMode(dc, TRANSPARENT);
    }

    const std::vector<ui::PlotColumn> columns =
        PlotColumns(stats_.Recent(), scale, now, input::CounterFrequency());
    {
        PenHandle intervalPen(::CreatePen(PS_SOLID, 1, kIntervalColor));
        SelectedObject pen(dc, intervalPen.get());
        for (const ui::PlotColumn& column : columns) {
            if (column.joined) {
                ::LineTo(dc, column.x, column.firstY);
            }
            // LineTo leaves out its last pixel: one further down draws the lowest one.
            Line(dc, column.x, column.topY, column.x, column.bottomY + 1);
            ::MoveToEx(dc, column.x, column.lastY, nullptr);
        }
    }
    // Over the intervals, which reach the top edge where they are off the scale.
    PenHandle offScalePen(::CreatePen(PS_SOLID, 3, kOffScaleColor));
    SelectedObject pen(dc, offScalePen.get());
    for (const ui::PlotColumn& column : columns) {
        if (column.offScale) {
            Line(dc, column.x, inner.Top + 1, column.x, inner.Top + kOffScaleMark);
        }
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT MeasureWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintSession paint(window);
            RECT client{};
            ::GetClientRect(window, &client);
            if (client.right > 0 && client.bottom > 0) {
                Paint(paint.get(), client);
            }
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            ::GetClientRect(window, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            Tick();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                ::DestroyWindow(window);
                return 0;
            }
            break;
        case WM_SIZE:
            Arrange(LOWORD(lParam));
            ::InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_DESTROY:
            ::KillTimer(window, kRefreshTimer);
            closed_ = true;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MeasureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<MeasureWindow, &MeasureWindow::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
