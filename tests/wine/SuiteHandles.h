// Owners of the handles the Windows suites open, shared so that the suites' files
// can be compiled together; each closes what it holds when it goes.
#pragma once

#include <windows.h>

#include <memory>

namespace winbed {

// A kernel handle. Null and INVALID_HANDLE_VALUE (what CreateFile gives when it
// fails) hold nothing.
struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// A module loaded with LoadLibrary or LoadLibraryEx.
struct ModuleDeleter {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

}  // namespace winbed
