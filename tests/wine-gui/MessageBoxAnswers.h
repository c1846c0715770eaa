// Answers the message boxes the window shows, through a WH_CBT hook on the calling
// thread: when a box is activated its caption, text and owner are recorded; once
// its own message loop runs, its default button is recorded, an optional action
// runs, and the queued answer (or the default button) is posted to it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace gui_test {

struct ShownBox {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    int defaultButton = 0;
    bool hasYesNo = false;
    // Whether the window given to Watch was enabled while the box was open.
    bool watchedWindowEnabled = true;
    int answer = 0;
};

class MessageBoxAnswers {
  public:
    MessageBoxAnswers();
    ~MessageBoxAnswers();
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

    // The next box gets this answer; whileOpen runs (posting messages, changing
    // the machine) before the answer is posted.
    void Queue(int answer, std::function<void()> whileOpen = {});
    // Records whether this window is enabled while each box is open.
    void Watch(HWND window) { watched_ = window; }
    const std::vector<ShownBox>& Shown() const { return shown_; }
    std::size_t Pending() const { return answers_.size(); }

  private:
    struct QueuedAnswer {
        int id;
        std::function<void()> whileOpen;
    };
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK AnswerOpenBox(HWND, UINT, UINT_PTR timer, DWORD);
    void Activated(HWND box);
    void Answer(HWND box);

    HHOOK hook_;
    HWND watched_ = nullptr;
    HWND openBox_ = nullptr;
    std::deque<QueuedAnswer> answers_;
    std::vector<ShownBox> shown_;
    std::vector<HWND> seen_;
};

}  // namespace gui_test
