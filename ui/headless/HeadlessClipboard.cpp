#include "ui/headless/HeadlessClipboard.h"

#include <sstream>

namespace headless {

namespace {

std::uintptr_t Id(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

std::string Hex(std::uintptr_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << value;
    return out.str();
}

}  // namespace

BOOL HeadlessClipboard::OpenClipboard(HWND owner) {
    calls_.push_back("OpenClipboard owner=" + Hex(Id(owner)));
    if (openFails || open_) {
        return 0;
    }
    open_ = true;
    return 1;
}

BOOL HeadlessClipboard::EmptyClipboard() {
    calls_.push_back("EmptyClipboard");
    if (!open_) {
        return 0;
    }
    if (textBlock_) {
        blocks_.erase(*textBlock_);
        textBlock_.reset();
    }
    return 1;
}

HANDLE HeadlessClipboard::SetClipboardData(UINT format, HANDLE data) {
    calls_.push_back("SetClipboardData format=" + std::to_string(format));
    if (!open_ || format != CF_TEXT || blocks_.count(Id(data)) == 0) {
        return nullptr;
    }
    if (textBlock_ && *textBlock_ != Id(data)) {
        blocks_.erase(*textBlock_);
    }
    textBlock_ = Id(data);
    return data;
}

BOOL HeadlessClipboard::CloseClipboard() {
    calls_.push_back("CloseClipboard");
    const bool wasOpen = open_;
    open_ = false;
    return wasOpen ? 1 : 0;
}

HGLOBAL HeadlessClipboard::GlobalAlloc(UINT flags, SIZE_T bytes) {
    calls_.push_back("GlobalAlloc flags=" + Hex(flags) + " bytes=" + std::to_string(bytes));
    const std::uintptr_t id = nextBlock_;
    nextBlock_ += 0x10;
    blocks_[id] = std::string(bytes, '\0');
    return reinterpret_cast<HGLOBAL>(id);
}

LPVOID HeadlessClipboard::GlobalLock(HGLOBAL memory) {
    calls_.push_back("GlobalLock");
    const auto block = blocks_.find(Id(memory));
    if (block == blocks_.end()) {
        return nullptr;
    }
    ++locks_;
    return block->second.data();
}

BOOL HeadlessClipboard::GlobalUnlock(HGLOBAL) {
    calls_.push_back("GlobalUnlock");
    --locks_;
    return locks_ > 0 ? 1 : 0;
}

HGLOBAL HeadlessClipboard::GlobalFree(HGLOBAL memory) {
    calls_.push_back("GlobalFree");
    return blocks_.erase(Id(memory)) == 1 ? nullptr : memory;
}

std::optional<std::string> HeadlessClipboard::TextBlock() const {
    if (!textBlock_) {
        return std::nullopt;
    }
    return blocks_.at(*textBlock_);
}

void HeadlessClipboard::Preset(const std::string& text) {
    const std::uintptr_t id = nextBlock_;
    nextBlock_ += 0x10;
    blocks_[id] = text + '\0';
    if (textBlock_) {
        blocks_.erase(*textBlock_);
    }
    textBlock_ = id;
}

std::size_t HeadlessClipboard::LeakedBlocks() const {
    return blocks_.size() - (textBlock_ ? 1 : 0);
}

}  // namespace headless
