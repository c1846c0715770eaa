#include "MessageBoxAnswers.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace gui_test {

namespace {

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

MessageBoxAnswers* g_current = nullptr;

std::string TextOf(HWND window) {
    std::array<char, 512> buffer{};
    ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

bool IsDialog(HWND window) {
    std::array<char, 64> name{};
    ::GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return std::string(name.data()) == "#32770";
}

// The button that Enter would press: the one drawn as the default, else the one
// that has the focus when the box opens.
int DefaultButton(HWND box) {
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        const HWND button = ::GetDlgItem(box, id);
        if (button != nullptr &&
            (::GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return id;
        }
    }
    const HWND focus = ::GetFocus();
    return focus != nullptr && ::GetParent(focus) == box ? ::GetDlgCtrlID(focus) : 0;
}

}  // namespace

MessageBoxAnswers::MessageBoxAnswers()
    : hook_(::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) {
    if (hook_ == nullptr) {
        throw std::runtime_error("SetWindowsHookEx WH_CBT");
    }
    g_current = this;
}

MessageBoxAnswers::~MessageBoxAnswers() {
    ::UnhookWindowsHookEx(hook_);
    g_current = nullptr;
}

void MessageBoxAnswers::Queue(int answer, std::function<void()> whileOpen) {
    answers_.push_back({answer, std::move(whileOpen)});
}

LRESULT CALLBACK MessageBoxAnswers::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_current != nullptr) {
        g_current->Activated(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswers::Activated(HWND box) {
    if (!IsDialog(box) || std::find(seen_.begin(), seen_.end(), box) != seen_.end()) {
        return;
    }
    seen_.push_back(box);
    ShownBox shown;
    shown.caption = TextOf(box);
    shown.text = TextOf(::GetDlgItem(box, kMessageBoxTextId));
    shown.owner = ::GetWindow(box, GW_OWNER);
    shown.hasYesNo = ::GetDlgItem(box, IDYES) != nullptr && ::GetDlgItem(box, IDNO) != nullptr;
    if (watched_ != nullptr) {
        shown.watchedWindowEnabled = ::IsWindowEnabled(watched_) != FALSE;
    }
    shown_.push_back(shown);
    // The box finishes setting itself up (its default button, its focus) after it is
    // activated: answer from its own message loop, once it is idle.
    openBox_ = box;
    ::SetTimer(nullptr, 0, 1, AnswerOpenBox);
}

void CALLBACK MessageBoxAnswers::AnswerOpenBox(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (g_current != nullptr && g_current->openBox_ != nullptr) {
        g_current->Answer(std::exchange(g_current->openBox_, nullptr));
    }
}

void MessageBoxAnswers::Answer(HWND box) {
    ShownBox& shown = shown_.back();
    shown.defaultButton = DefaultButton(box);
    QueuedAnswer answer{shown.defaultButton != 0 ? shown.defaultButton : IDOK, {}};
    if (!answers_.empty()) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    shown.answer = answer.id;
    if (answer.whileOpen) {
        answer.whileOpen();
    }
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer.id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, answer.id)));
}

}  // namespace gui_test
