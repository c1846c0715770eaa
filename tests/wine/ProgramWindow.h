// A program of the package started as a child process and its window, found as a
// person would find it: the visible top-level window of that process, and a control
// by its caption.
#pragma once

#include <windows.h>

#include <string>

namespace winbed {

// Owns a started process's handles; a process still running at the end is ended.
class OwnedProcess {
  public:
    explicit OwnedProcess(const PROCESS_INFORMATION& process) : process_(process) {}
    ~OwnedProcess() {
        if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process_.hProcess, 1);
            ::WaitForSingleObject(process_.hProcess, 10000);
        }
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    OwnedProcess(const OwnedProcess&) = delete;
    OwnedProcess& operator=(const OwnedProcess&) = delete;

  private:
    PROCESS_INFORMATION process_;
};

struct WindowSearch {
    DWORD processId = 0;
    std::string text;
    HWND found = nullptr;
};

// Plain functions: the enumeration calls them with the Windows calling convention,
// which a lambda does not have on 32-bit x86.
inline BOOL CALLBACK TakeTopLevelWindowOf(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && ::IsWindowVisible(window) &&
        ::GetWindow(window, GW_OWNER) == nullptr) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

inline BOOL CALLBACK TakeChildWithText(HWND child, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    char caption[256] = {};
    ::GetWindowTextA(child, caption, sizeof caption);
    if (search.text == caption) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of a process, waited for up to the time given.
inline HWND WaitForTopLevelWindow(DWORD processId, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        WindowSearch search;
        search.processId = processId;
        ::EnumWindows(TakeTopLevelWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(100);
    }
    return nullptr;
}

// A control anywhere below the window whose caption is the text given.
inline HWND FindChildByText(HWND window, const std::string& text) {
    WindowSearch search;
    search.text = text;
    ::EnumChildWindows(window, TakeChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Answers the message boxes that other processes show while it lives, as a person
// clicks OK: a GUI-subsystem companion without a standard error shows its message
// in one and waits for that click before it ends.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer() { thread_ = ::CreateThread(nullptr, 0, &Run, this, 0, nullptr); }
    ~MessageBoxAnswerer() {
        ::InterlockedExchange(&stop_, 1);
        if (thread_ != nullptr) {
            ::WaitForSingleObject(thread_, INFINITE);
            ::CloseHandle(thread_);
        }
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Whether any box was answered.
    bool Answered() const { return ::InterlockedCompareExchange(&answered_, 0, 0) != 0; }

  private:
    static DWORD WINAPI Run(void* self) {
        auto& answerer = *static_cast<MessageBoxAnswerer*>(self);
        while (::InterlockedCompareExchange(&answerer.stop_, 0, 0) == 0) {
            ::EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&answerer));
            ::Sleep(50);
        }
        return 0;
    }

    static BOOL CALLBACK AnswerBox(HWND window, LPARAM context) {
        auto& answerer = *reinterpret_cast<MessageBoxAnswerer*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (owner != ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
            std::string(name) == "#32770") {
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            ::InterlockedExchange(&answerer.answered_, 1);
        }
        return TRUE;
    }

    HANDLE thread_ = nullptr;
    mutable LONG stop_ = 0;
    mutable LONG answered_ = 0;
};

}  // namespace winbed
