// The clipboard and global memory of the real platform: every call forwarded as it is.
#pragma once

#include "ui/gui/ClipboardApi.h"

namespace win32 {

class Win32Clipboard : public gui::ClipboardApi {
  public:
    BOOL OpenClipboard(HWND owner) override { return ::OpenClipboard(owner); }
    BOOL EmptyClipboard() override { return ::EmptyClipboard(); }
    HANDLE SetClipboardData(UINT format, HANDLE data) override {
        return ::SetClipboardData(format, data);
    }
    BOOL CloseClipboard() override { return ::CloseClipboard(); }

    HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) override { return ::GlobalAlloc(flags, bytes); }
    LPVOID GlobalLock(HGLOBAL memory) override { return ::GlobalLock(memory); }
    BOOL GlobalUnlock(HGLOBAL memory) override { return ::GlobalUnlock(memory); }
    HGLOBAL GlobalFree(HGLOBAL memory) override { return ::GlobalFree(memory); }
};

}  // namespace win32
