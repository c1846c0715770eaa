#include "ui/gui/ClipboardText.h"

#include <cstring>
#include <utility>

namespace gui {

namespace {

// The clipboard while it is open.
class ClipboardSession {
  public:
    ClipboardSession(ClipboardApi& api, HWND owner) : api_(api) {
        if (!api_.OpenClipboard(owner)) {
            throw EClipboardError("Cannot open clipboard");
        }
    }
    ~ClipboardSession() { api_.CloseClipboard(); }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

  private:
    ClipboardApi& api_;
};

// A global memory block, freed unless the clipboard took it over.
class GlobalMemory {
  public:
    GlobalMemory(ClipboardApi& api, UINT flags, SIZE_T bytes)
        : api_(api), memory_(api.GlobalAlloc(flags, bytes)) {}
    ~GlobalMemory() {
        if (memory_ != nullptr) {
            api_.GlobalFree(memory_);
        }
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL get() const { return memory_; }
    HGLOBAL release() { return std::exchange(memory_, nullptr); }

  private:
    ClipboardApi& api_;
    HGLOBAL memory_;
};

// A global memory block while it is locked.
class GlobalLockScope {
  public:
    GlobalLockScope(ClipboardApi& api, HGLOBAL memory)
        : api_(api), memory_(memory), data_(api.GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_ != nullptr) {
            api_.GlobalUnlock(memory_);
        }
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

    void* data() const { return data_; }

  private:
    ClipboardApi& api_;
    HGLOBAL memory_;
    void* data_;
};

// Copies the text and its NUL into a fresh block; null when that cannot be done.
bool FillBlock(ClipboardApi& api, HGLOBAL memory, const std::string& text) {
    GlobalLockScope lock(api, memory);
    if (lock.data() == nullptr) {
        return false;
    }
    std::memcpy(lock.data(), text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

void SetClipboardText(ClipboardApi& api, HWND owner, const std::string& text) {
    ClipboardSession session(api, owner);
    api.EmptyClipboard();
    GlobalMemory memory(api, kClipboardMemoryFlags, text.size() + 1);
    if (memory.get() == nullptr || !FillBlock(api, memory.get(), text)) {
        return;
    }
    if (api.SetClipboardData(CF_TEXT, memory.get()) != nullptr) {
        memory.release();
    }
}

}  // namespace gui
