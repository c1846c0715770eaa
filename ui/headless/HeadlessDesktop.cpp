#include "ui/headless/HeadlessDesktop.h"

#include <cstdint>
#include <utility>

#include "ui/Density.h"
#include "ui/gui/Font.h"

namespace headless {

namespace {

int DefaultButton(UINT type) {
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        return (type & MB_DEFMASK) == MB_DEFBUTTON2 ? IDNO : IDYES;
    }
    return IDOK;
}

}  // namespace

HWND ApplicationWindowHandle() {
    return reinterpret_cast<HWND>(std::uintptr_t{0x1010});
}

HWND MainWindowHandle() {
    return reinterpret_cast<HWND>(std::uintptr_t{0x2020});
}

void HeadlessDesktop::QueueAnswer(int answer, std::function<void()> whileOpen) {
    answers_.push_back({answer, std::move(whileOpen)});
}

int HeadlessDesktop::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                                 UINT type) {
    Answer next{DefaultButton(type), {}};
    if (!answers_.empty()) {
        next = std::move(answers_.front());
        answers_.pop_front();
    }
    const std::size_t index = boxes_.size();
    boxes_.push_back({owner, text, caption, type, next.answer});
    if (next.whileOpen) {
        ++open_;
        try {
            next.whileOpen();
        } catch (...) {
            --open_;
            throw;
        }
        --open_;
    }
    return boxes_.at(index).answer;
}

void HeadlessDesktop::QueueWhileWaiting(std::function<void()> step) {
    waitSteps_.push_back(std::move(step));
}

void HeadlessDesktop::WaitModally(const WaitWork& work) {
    ++waits_;
    struct Unblock {
        bool& blocked;
        ~Unblock() { blocked = false; }
    } unblock{blocked_};
    work([this] {
        blocked_ = true;
        ++pumps_;
        if (!waitSteps_.empty()) {
            const std::function<void()> step = std::move(waitSteps_.front());
            waitSteps_.pop_front();
            step();
        }
    });
}

int HeadlessDesktop::TextHeight(const gui::TFont& font) {
    return textHeight ? *textHeight : ui::MulDivRounded(font.Height, 13, 11);
}

}  // namespace headless
