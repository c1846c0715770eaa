// The desktop of the headless realisation: message boxes answered from a queue
// (optionally running something while the box is open, as the platform's own
// message loop would), a screen density and text height chosen by the test, a
// command line, a fake application window and the recording clipboard.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/gui/Desktop.h"
#include "ui/headless/HeadlessClipboard.h"

namespace headless {

struct ShownMessageBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
    int answer;
};

// The fake window handles of the headless realisation.
HWND ApplicationWindowHandle();
HWND MainWindowHandle();

class HeadlessDesktop : public gui::Desktop {
  public:
    int pixelsPerInch = 96;
    // The height of "0" in a font; when absent, font height × 13 / 11 rounded,
    // the proportion of the window font at 96 pixels per inch.
    std::optional<int> textHeight;
    std::string commandLine = "quorvin.exe";
    HeadlessClipboard clipboard;

    // The next message box returns the answer; whileOpen runs before it returns.
    // Without a queued answer a box returns its default button.
    void QueueAnswer(int answer, std::function<void()> whileOpen = {});
    std::size_t PendingAnswers() const { return answers_.size(); }
    const std::vector<ShownMessageBox>& MessageBoxes() const { return boxes_; }
    void ClearMessageBoxes() { boxes_.clear(); }
    // How many message boxes are open right now.
    int OpenMessageBoxes() const { return open_; }

    // Each pump of a modal wait runs the next queued step (a device change, say).
    void QueueWhileWaiting(std::function<void()> step);
    int Waits() const { return waits_; }
    int Pumps() const { return pumps_; }
    // Whether a modal wait is running and has pumped: the windows take no input.
    bool InputBlocked() const { return blocked_; }

    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;
    int ScreenPixelsPerInch() override { return pixelsPerInch; }
    int TextHeight(const gui::TFont& font) override;
    std::string CommandLine() override { return commandLine; }
    HWND ApplicationWindow() override { return ApplicationWindowHandle(); }
    gui::ClipboardApi& Clipboard() override { return clipboard; }
    void WaitModally(const WaitWork& work) override;

  private:
    struct Answer {
        int answer;
        std::function<void()> whileOpen;
    };
    std::deque<Answer> answers_;
    std::vector<ShownMessageBox> boxes_;
    int open_ = 0;
    std::deque<std::function<void()>> waitSteps_;
    int waits_ = 0;
    int pumps_ = 0;
    bool blocked_ = false;
};

}  // namespace headless
