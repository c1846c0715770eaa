// A clipboard in memory that records every call made to it and keeps the global
// memory blocks it hands out, so a test can read the bytes put on it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/gui/ClipboardApi.h"

namespace headless {

class HeadlessClipboard : public gui::ClipboardApi {
  public:
    // Makes OpenClipboard fail, as when another program holds the clipboard.
    bool openFails = false;

    BOOL OpenClipboard(HWND owner) override;
    BOOL EmptyClipboard() override;
    HANDLE SetClipboardData(UINT format, HANDLE data) override;
    BOOL CloseClipboard() override;
    HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) override;
    LPVOID GlobalLock(HGLOBAL memory) override;
    BOOL GlobalUnlock(HGLOBAL memory) override;
    HGLOBAL GlobalFree(HGLOBAL memory) override;

    // Every call in order, as "Name arg=value ...".
    const std::vector<std::string>& Calls() const { return calls_; }
    // The CF_TEXT block on the clipboard, every byte of it, or nothing.
    std::optional<std::string> TextBlock() const;
    // Puts text on the clipboard as another program would.
    void Preset(const std::string& text);
    bool IsOpen() const { return open_; }
    // Blocks handed out and neither freed nor taken by the clipboard.
    std::size_t LeakedBlocks() const;
    int lockCount() const { return locks_; }

  private:
    std::vector<std::string> calls_;
    std::map<std::uintptr_t, std::string> blocks_;
    std::uintptr_t nextBlock_ = 0x5000;
    std::optional<std::uintptr_t> textBlock_;
    bool open_ = false;
    int locks_ = 0;
};

}  // namespace headless
