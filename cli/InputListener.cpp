#include "cli/InputListener.h"

#include "cli/ExitCodes.h"
#include "input/RawInputReader.h"

namespace cli {

InputListener::InputListener() {
    // The predefined static class needs no window procedure of ours: DefWindowProc,
    // which it calls, frees each report once it has been read.
    window_ = plat::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                    nullptr);
    if (window_ == nullptr) {
        throw CommandFailed("no window for raw input could be made");
    }
    if (!input::RegisterRawInput(window_)) {
        plat::DestroyWindow(window_);
        throw CommandFailed("Windows refused to deliver raw input");
    }
}

InputListener::~InputListener() {
    input::UnregisterRawInput();
    plat::DestroyWindow(window_);
}

}  // namespace cli
