#include "ui/win32/ConfirmWindow.h"

#include <algorithm>

#include "base/Failure.h"
#include "input/RawInputReader.h"
#include "ui/ConfirmView.h"
#include "ui/SetupF.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/OwnedTopWindow.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/SmallWindowMeasures.h"
#include "ui/win32/SmallWindowPlace.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// WS_EX_CONTROLPARENT: the setup window's message loop gives it dialog keys.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
// The text's width in average characters, as message boxes wrap theirs.
constexpr int kTextChars = 56;

enum ControlId : int { kKeepId = 101, kRevertId = 102 };

struct TextMeasure {
    int line = 0;        // a line's height
    int average = 0;     // an average character's width
    int textHeight = 0;  // the explanation's height, wrapped at kTextChars
    int buttonWidth = 0;
};

TextMeasure Measure(HFONT font, const std::string& explanation) {
    const TEXTMETRICA metrics = ScreenTextMetrics(font);
    TextMeasure measure;
    measure.line = metrics.tmHeight;
    measure.average = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    RECT text{0, 0, kTextChars * measure.average, 0};
    {
        WindowDC screen(nullptr);
        SelectedObject selected(screen.get(), font);
        ::DrawTextA(screen.get(), explanation.c_str(), static_cast<int>(explanation.size()), &text,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    measure.textHeight = text.bottom - text.top;
    measure.buttonWidth = std::max(PushButtonWidth(font, metrics, ui::kKeepButton),
                                   PushButtonWidth(font, metrics, ui::kRevertButton));
    return measure;
}

}  // namespace

ConfirmWindow::ConfirmWindow(HINSTANCE instance, HWND owner, HFONT font, ui::TfrmSetup& form,
                             std::string instanceId)
    : form_(form), instanceId_(std::move(instanceId)), font_(font) {
    const confirm::Watch* watch = form_.ConfirmationOf(instanceId_);
    if (watch == nullptr) {
        throw base::Failure("no question about the device");
    }
    const std::string explanation = ui::ConfirmExplanation(*watch);
    const TextMeasure m = Measure(font_, explanation);
    const int margin = m.line;
    const int buttonHeight = m.line + m.line / 2 + 4;
    const int width = 2 * margin + kTextChars * m.average;
    const int countdownTop = margin + m.textHeight + m.line / 2;
    const int buttonsTop = countdownTop + m.line + m.line;
    const int height = buttonsTop + buttonHeight + margin;
    const SIZE outer = OuterSize(width, height, kStyle, kExStyle);
    window_ = CreateOwnedTopWindow({kConfirmClassName, ui::kKeepCaption, kStyle, kExStyle},
                                   CentredOverOwner(owner, outer.cx, outer.cy), owner, instance,
                                   this, "question");
    CreateControls(instance, explanation);
    ::MoveWindow(explanation_, margin, margin, kTextChars * m.average, m.textHeight, FALSE);
    ::MoveWindow(countdown_, margin, countdownTop, kTextChars * m.average, m.line, FALSE);
    const int gap = m.average * 2;
    ::MoveWindow(keep_, width - margin - 2 * m.buttonWidth - gap, buttonsTop, m.buttonWidth,
                 buttonHeight, FALSE);
    ::MoveWindow(revert_, width - margin - m.buttonWidth, buttonsTop, m.buttonWidth, buttonHeight,
                 FALSE);
    Refresh(input::CounterNow());
    ::ShowWindow(window_.get(), SW_SHOW);
    ::SetForegroundWindow(window_.get());
    ::SetFocus(revert_);
}

void ConfirmWindow::CreateControls(HINSTANCE instance, const std::string& explanation) {
    const HWND window = window_.get();
    explanation_ = CreateChildControl(window, instance, font_,
                                      {"STATIC", explanation.c_str(), SS_LEFT | SS_NOPREFIX});
    countdown_ = CreateChildControl(window, instance, font_, {"STATIC", "", SS_LEFT | SS_NOPREFIX});
    // BS_NOTIFY: the buttons tell when they get the focus, so that the focused one is the
    // default, as in a dialog box.
    keep_ = CreateChildControl(
        window, instance, font_,
        {"BUTTON", ui::kKeepButton, BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP | WS_GROUP, kKeepId});
    revert_ = CreateChildControl(
        window, instance, font_,
        {"BUTTON", ui::kRevertButton, BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, kRevertId});
}

int ConfirmWindow::DefaultId() const {
    return ::GetFocus() == keep_ ? kKeepId : kRevertId;
}

void ConfirmWindow::MarkDefault() {
    const bool keep = DefaultId() == kKeepId;
    ::SendMessageA(keep_, BM_SETSTYLE, (keep ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
    ::SendMessageA(revert_, BM_SETSTYLE, (keep ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | BS_NOTIFY,
                   TRUE);
}

void ConfirmWindow::Refresh(LONGLONG now) {
    const confirm::Watch* watch = form_.ConfirmationOf(instanceId_);
    if (closed_ || watch == nullptr) {
        return;
    }
    const std::string text = ui::ConfirmCountdown(*watch, now);
    if (text != shownCountdown_) {
        shownCountdown_ = text;
        ::SetWindowTextA(countdown_, text.c_str());
    }
}

void ConfirmWindow::Close() {
    if (!closed_) {
        closed_ = true;
        ::DestroyWindow(window_.get());
    }
}

void ConfirmWindow::Answer(bool keep) {
    // The window goes first: reverting restarts the device and shows one message, in
    // whose message loop the owner may let go of this object.
    ui::TfrmSetup& form = form_;
    const std::string instanceId = instanceId_;
    Close();
    form.App().Guard([&form, &instanceId, keep] { form.AnswerConfirmation(instanceId, keep); });
}

LRESULT ConfirmWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_SETFOCUS) {
                MarkDefault();
                return 0;
            }
            if (HIWORD(wParam) != BN_CLICKED) {
                break;
            }
            switch (LOWORD(wParam)) {
                case kKeepId:
                    Answer(true);
                    return 0;
                case kRevertId:
                case IDCANCEL:
                    Answer(false);
                    return 0;
                case IDOK:
                    Answer(DefaultId() == kKeepId);
                    return 0;
                default:
                    break;
            }
            break;
        case DM_GETDEFID:
            // Enter presses the focused button; with the focus elsewhere, "Revert".
            return MAKELRESULT(DefaultId(), DC_HASDEFID);
        case WM_CLOSE:
            Answer(false);
            return 0;
        case WM_DESTROY:
            closed_ = true;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ConfirmWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<ConfirmWindow, &ConfirmWindow::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
