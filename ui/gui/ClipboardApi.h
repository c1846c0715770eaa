// The clipboard and global-memory calls that copying text needs, with their Win32
// names and arguments. The Win32 realisation forwards them; the headless one
// records them.
#pragma once

#include "ui/gui/WinUi.h"

namespace gui {

class ClipboardApi {
  public:
    virtual ~ClipboardApi() = default;

    virtual BOOL OpenClipboard(HWND owner) = 0;
    virtual BOOL EmptyClipboard() = 0;
    virtual HANDLE SetClipboardData(UINT format, HANDLE data) = 0;
    virtual BOOL CloseClipboard() = 0;

    virtual HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) = 0;
    virtual LPVOID GlobalLock(HGLOBAL memory) = 0;
    virtual BOOL GlobalUnlock(HGLOBAL memory) = 0;
    virtual HGLOBAL GlobalFree(HGLOBAL memory) = 0;
};

}  // namespace gui
