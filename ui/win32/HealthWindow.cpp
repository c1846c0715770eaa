#include "ui/win32/HealthWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/HealthView.h"
#include "ui/SetupF.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/OwnedTopWindow.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/SmallWindowMeasures.h"
#include "ui/win32/SmallWindowPlace.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
// The client area in average character widths and lines of the font: room for the
// driver's line with a long path, and for a dozen devices.
constexpr int kWidthInChars = 120;
constexpr int kListLines = 12;
constexpr COLORREF kBrokenColor = RGB(192, 0, 0);

enum ControlId : int { kListId = 100, kRepairId = 101, kRefreshId = 102, kCloseId = 103 };
constexpr const char* kRepairCaption = "&Remove filter from broken devices";
constexpr const char* kRefreshCaption = "R&efresh";
constexpr const char* kCloseCaption = "Close";

int ButtonHeight(const TEXTMETRICA& metrics) {
    return static_cast<int>(metrics.tmHeight + metrics.tmHeight * 3 / 4);
}

SIZE ClientSize(const TEXTMETRICA& metrics) {
    const int line = static_cast<int>(metrics.tmHeight);
    const int gap = ControlGap(line);
    // Two lines of text, the list with its header, the buttons.
    const int listHeight = (kListLines + 1) * (line + line / 3) + 4;
    return SIZE{kWidthInChars * metrics.tmAveCharWidth + 2 * gap,
                gap + 2 * line + gap / 2 + listHeight + gap + ButtonHeight(metrics) + gap};
}

}  // namespace

HealthWindow::HealthWindow(HINSTANCE instance, HWND owner, HFONT font, ui::TfrmSetup& form)
    : form_(form), font_(font), metrics_(ScreenTextMetrics(font)) {
    const SIZE client = ClientSize(metrics_);
    const SIZE outer = OuterSize(client.cx, client.cy, kStyle);
    window_ = CreateOwnedTopWindow({kHealthClassName, "Filter health", kStyle},
                                   CentredOverOwner(owner, outer.cx, outer.cy), owner, instance,
                                   this, "health window");
    CreateControls(instance);
    RECT area{};
    ::GetClientRect(window_.get(), &area);
    Arrange(area.right, area.bottom);
    Refresh();
    ::ShowWindow(window_.get(), SW_SHOWNORMAL);
    ::SetFocus(list_);
}

void HealthWindow::CreateControls(HINSTANCE instance) {
    const HWND window = window_.get();
    driver_ = CreateChildControl(window, instance, font_, {"STATIC", "", SS_LEFT | SS_NOPREFIX});
    count_ = CreateChildControl(window, instance, font_, {"STATIC", "", SS_LEFT | SS_NOPREFIX});
    // A label the screen reader names the table by: the count line just before it.
    list_ = CreateChildControl(
        window, instance, font_,
        {WC_LISTVIEWA, "Devices carrying the filter",
         LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kListId, WS_EX_CLIENTEDGE});
    ::SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
    for (std::size_t column = 0; column < ui::kHealthColumns.size(); ++column) {
        LVCOLUMNA header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.pszText = const_cast<char*>(ui::kHealthColumns[column]);
        header.cx = static_cast<int>(10 * metrics_.tmAveCharWidth);
        header.iSubItem = static_cast<int>(column);
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    }
    repair_ = CreateChildControl(window, instance, font_,
                                 {"BUTTON", kRepairCaption, BS_PUSHBUTTON | WS_TABSTOP, kRepairId});
    refresh_ =
        CreateChildControl(window, instance, font_,
                           {"BUTTON", kRefreshCaption, BS_PUSHBUTTON | WS_TABSTOP, kRefreshId});
    close_ = CreateChildControl(window, instance, font_,
                                {"BUTTON", kCloseCaption, BS_DEFPUSHBUTTON | WS_TABSTOP, kCloseId});
}

void HealthWindow::Arrange(int width, int height) {
    const int line = static_cast<int>(metrics_.tmHeight);
    const int gap = ControlGap(line);
    const int buttonHeight = ButtonHeight(metrics_);
    const int buttonsTop = std::max(height - gap - buttonHeight, gap + 2 * line);
    const int listTop = gap + 2 * line + gap / 2;
    ::MoveWindow(driver_, gap, gap, width - 2 * gap, line, TRUE);
    ::MoveWindow(count_, gap, gap + line, width - 2 * gap, line, TRUE);
    ::MoveWindow(list_, gap, listTop, width - 2 * gap, std::max(buttonsTop - gap - listTop, line),
                 TRUE);
    const int closeWidth = PushButtonWidth(font_, metrics_, kCloseCaption);
    const int refreshWidth = PushButtonWidth(font_, metrics_, kRefreshCaption);
    ::MoveWindow(repair_, gap, buttonsTop, PushButtonWidth(font_, metrics_, kRepairCaption),
                 buttonHeight, TRUE);
    ::MoveWindow(refresh_, width - 2 * gap - closeWidth - refreshWidth, buttonsTop, refreshWidth,
                 buttonHeight, TRUE);
    ::MoveWindow(close_, width - gap - closeWidth, buttonsTop, closeWidth, buttonHeight, TRUE);
}

void HealthWindow::Refresh() {
    health_ = health::ReadFilterHealth();
    ::SetWindowTextA(driver_, ui::HealthDriverLine(health_).c_str());
    ::SetWindowTextA(count_, ui::HealthCountLine(health_).c_str());
    ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    const std::vector<ui::HealthRow> rows = ui::HealthRows(health_);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(rows[row].cells[0].c_str());
        item.lParam = rows[row].broken ? 1 : 0;
        const auto index =
            ::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (std::size_t column = 1; column < ui::kHealthColumns.size(); ++column) {
            LVITEMA cell{};
            cell.iSubItem = static_cast<int>(column);
            cell.pszText = const_cast<char*>(rows[row].cells[column].c_str());
            ::SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&cell));
        }
    }
    if (!rows.empty()) {
        LVITEMA focus{};
        focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageA(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    }
    // Every column as wide as its longest text and its title, so that each is seen
    // whole (the list scrolls sideways when they are wider together than the window).
    // The last column's "use header" width is what remains of the list's width, which
    // may be less than its texts need.
    for (std::size_t column = 0; column < ui::kHealthColumns.size(); ++column) {
        ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
        const LRESULT texts = ::SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0);
        ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
        const LRESULT title = ::SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0);
        ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, column, std::max(texts, title));
    }
    ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
    ::EnableWindow(repair_, health_.RepairableCount() > 0);
}

void HealthWindow::Repair() {
    // The window's own command: it asks, records, restarts and reports.
    form_.App().Guard([this] { form_.RepairFilterHealth(health_); });
    if (!closed_) {
        Refresh();
    }
}

bool HealthWindow::PreTranslate(MSG& message) {
    const HWND window = window_.get();
    if (closed_ || (message.hwnd != window && !::IsChild(window, message.hwnd))) {
        return false;
    }
    return ::IsDialogMessageA(window, &message) != FALSE;
}

LRESULT HealthWindow::CustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if (draw.nmcd.lItemlParam != 0) {
                draw.clrText = kBrokenColor;
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

LRESULT HealthWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kRepairId:
                    Repair();
                    return 0;
                case kRefreshId:
                    Refresh();
                    return 0;
                case IDOK: {
                    // Enter: the focused button, or Close, the default one.
                    const HWND focus = ::GetFocus();
                    const int id = focus == repair_    ? kRepairId
                                   : focus == refresh_ ? kRefreshId
                                                       : kCloseId;
                    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                    return 0;
                }
                case IDCANCEL:
                case kCloseId:
                    ::DestroyWindow(window);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == list_ && header->code == NM_CUSTOMDRAW) {
                return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            }
            break;
        }
        case WM_ACTIVATE:
            // As a dialog box does: the control that had the focus gets it back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(window, focus)) {
                    savedFocus_ = focus;
                }
            } else if (list_ != nullptr) {
                ::SetFocus(savedFocus_ != nullptr && ::IsWindowEnabled(savedFocus_) ? savedFocus_
                                                                                    : list_);
            }
            return 0;
        case WM_SIZE:
            // The first one comes while the window is made, before its controls.
            if (list_ != nullptr) {
                Arrange(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_DESTROY:
            closed_ = true;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK HealthWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<HealthWindow, &HealthWindow::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
