#include "companion/MessageOutput.h"

#include <vector>

#include "platform/WinTypes.h"

namespace companion {

namespace {

constexpr const char* kCaption = "kevra64";

// A console shows the OEM code page: text for one goes as UTF-16 from the ANSI code
// page it is in; anything else (a file, a pipe) gets the ANSI bytes.
bool WriteAll(HANDLE handle, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        const int size = static_cast<int>(text.size());
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0));
        return length > 0 &&
               ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length) == length &&
               ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written,
                               nullptr) &&
               written == static_cast<DWORD>(length);
    }
    return ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// A handle the parent passed for standard error (a redirection or a pipe).
HANDLE InheritedStandardError() {
    const HANDLE handle = ::GetStdHandle(STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        ::GetFileType(handle) == FILE_TYPE_UNKNOWN) {
        return nullptr;
    }
    return handle;
}

// Writes to the console of the process that started this one, if it has one.
// AttachConsole is in Windows XP onward.
bool WriteToParentConsole(const std::string& text) {
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return false;
    }
    // Read access too: GetConsoleMode needs it to know the handle for a console's.
    const HANDLE console =
        ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    bool written = false;
    if (console != INVALID_HANDLE_VALUE) {
        written = WriteAll(console, text);
        ::CloseHandle(console);
    }
    ::FreeConsole();
    return written;
}

}  // namespace

void ShowCompanionMessage(const std::string& line, bool isError, bool quiet) {
    const std::string text = line + "\r\n";
    if (const HANDLE standardError = InheritedStandardError()) {
        if (WriteAll(standardError, text)) {
            return;
        }
    }
    if (WriteToParentConsole(text) || quiet) {
        return;
    }
    ::MessageBoxA(nullptr, line.c_str(), kCaption,
                  MB_OK | MB_SETFOREGROUND | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace companion
