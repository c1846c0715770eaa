// The question "Keep these settings?" after a restart that the device did not confirm:
// a small window of its own over the setup window, made of standard controls (the
// explanation and the countdown as static texts, "Keep" and "Revert" as push
// buttons), sized from the window font. "Revert" is the default button and has the
// focus, so Enter, Escape and closing the window all revert; Tab reaches "Keep", which
// Enter or Space then press. It stays on top, so that it is seen over another
// program's windows.
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/WindowHandle.h"

namespace ui {
class TfrmSetup;
}  // namespace ui

namespace win32 {

class ConfirmWindow {
  public:
    ConfirmWindow(HINSTANCE instance, HWND owner, HFONT font, ui::TfrmSetup& form,
                  std::string instanceId);
    ConfirmWindow(const ConfirmWindow&) = delete;
    ConfirmWindow& operator=(const ConfirmWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    HWND Explanation() const { return explanation_; }
    HWND Countdown() const { return countdown_; }
    HWND KeepButton() const { return keep_; }
    HWND RevertButton() const { return revert_; }
    const std::string& InstanceId() const { return instanceId_; }
    bool Closed() const { return closed_; }
    // Shows the seconds left now; closes nothing.
    void Refresh(LONGLONG now);
    // The question was settled elsewhere (answered, timed out, the device restarted).
    void Close();

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void CreateControls(HINSTANCE instance, const std::string& explanation);
    void Answer(bool keep);
    // The button Enter presses: the focused one, otherwise "Revert".
    int DefaultId() const;
    // Shows the default button's thick border on it.
    void MarkDefault();

    ui::TfrmSetup& form_;
    std::string instanceId_;
    HFONT font_;
    std::string shownCountdown_;
    bool closed_ = false;
    HWND explanation_ = nullptr;
    HWND countdown_ = nullptr;
    HWND keep_ = nullptr;
    HWND revert_ = nullptr;
    WindowHandle window_;
};

LRESULT CALLBACK ConfirmWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
