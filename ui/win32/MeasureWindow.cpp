#include "ui/win32/MeasureWindow.h"

#include <algorithm>
#include "base/Failure.h"

#include "measure/MeasureLines.h"
#include "ui/MeasureView.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 100;
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 320;
constexpr int kMargin = 8;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr COLORREF kIntervalColor = RGB(0, 0, 192);
constexpr COLORREF kExpectedColor = RGB(208, 0, 0);
constexpr COLORREF kGridColor = RGB(224, 224, 224);
constexpr std::size_t kTextLines = 6;

using PenHandle = GdiObject<HPEN>;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

}  // namespace

MeasureWindow::MeasureWindow(HINSTANCE instance, HWND owner, HFONT font, MeasureTarget target)
    : target_(std::move(target)), font_(font), stats_(input::CounterFrequency()) {
    RECT outer{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    const std::string caption = "Polling rate - " + target_.name;
    const HWND window = ::CreateWindowExA(0, kMeasureClassName, caption.c_str(), kStyle,
                                          CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                          outer.bottom - outer.top, owner, nullptr, instance, this);
    if (window == nullptr) {
        throw Failure("CreateWindowEx measuring window");
    }
    window_ = WindowHandle(window);
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

RECT MeasureWindow::PlotArea(const RECT& client, int textHeight) {
    const int top = kMargin + static_cast<int>(kTextLines) * textHeight + kMargin;
    return RECT{kMargin + 6 * textHeight / 2 + kMargin, top, client.right - kMargin,
                std::max(top + 10, static_cast<int>(client.bottom) - kMargin)};
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
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight;

    const LONGLONG now = input::CounterNow();
    const input::RateFigures figures = stats_.Figures(now);
    int y = kMargin;
    for (const std::string& line : measure::MeasureLines(figures, target_.keyboard)) {
        ::TextOutA(dc, kMargin, y, line.c_str(), static_cast<int>(line.size()));
        y += lineHeight;
    }

    const RECT plot = PlotArea(client, lineHeight);
    ::FillRect(dc, &plot, ::GetSysColorBrush(COLOR_WINDOW));
    ::FrameRect(dc, &plot, ::GetSysColorBrush(COLOR_BTNSHADOW));
    const gui::TRect inner{plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1};
    const PlotScale scale = ChoosePlotScale(inner, target_.expectedMs, figures.medianMs);
    PenHandle gridPen(::CreatePen(PS_SOLID, 1, kGridColor));
    {
        SelectedObject pen(dc, gridPen.get());
        for (int quarter = 1; quarter < 4; ++quarter) {
            const int lineY = scale.Y(scale.topMs * quarter / 4);
            Line(dc, inner.Left, lineY, inner.Right, lineY);
        }
    }
    const std::string top = std::to_string(static_cast<int>(scale.topMs)) + " ms";
    ::TextOutA(dc, kMargin, plot.top, top.c_str(), static_cast<int>(top.size()));
    ::TextOutA(dc, kMargin, plot.bottom - lineHeight, "0 ms", 4);

    if (target_.expectedMs > 0) {
        PenHandle expectedPen(::CreatePen(PS_DASH, 1, kExpectedColor));
        SelectedObject pen(dc, expectedPen.get());
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        const int lineY = scale.Y(target_.expectedMs);
        Line(dc, inner.Left, lineY, inner.Right, lineY);
        ::SetBkMode(dc, TRANSPARENT);
    }

    PenHandle intervalPen(::CreatePen(PS_SOLID, 1, kIntervalColor));
    SelectedObject pen(dc, intervalPen.get());
    const LONGLONG frequency = input::CounterFrequency();
    bool drawing = false;
    for (const input::PlotSample& sample : stats_.Recent()) {
        if (sample.pause) {
            drawing = false;
            continue;
        }
        const int x = scale.X(sample.time, now, frequency);
        const int sampleY = scale.Y(sample.ms);
        if (drawing) {
            ::LineTo(dc, x, sampleY);
        } else {
            ::MoveToEx(dc, x, sampleY, nullptr);
            ::SetPixel(dc, x, sampleY, kIntervalColor);
            drawing = true;
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
            ::InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_SIZE:
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
