#include "config/RegKey.h"

#include "platform/Platform.h"

namespace {

bool IsOpen(HKEY key) {
    return key != nullptr && key != reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
}

}  // namespace

RegKey::RegKey(HKEY key) : key_(IsOpen(key) ? key : nullptr) {}

RegKey::~RegKey() {
    reset();
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        reset();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

void RegKey::reset() {
    if (valid()) {
        plat::RegCloseKey(std::exchange(key_, nullptr));
    }
}
