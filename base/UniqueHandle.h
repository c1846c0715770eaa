// One owner for every kind of platform handle: a handle kind is described by a
// small traits type (its handle type, the value that means "none", and how to
// close one), and UniqueHandle<Traits> closes what it holds exactly once.
//
//   struct RegKeyTraits {
//       using Handle = HKEY;
//       static Handle Invalid() { return nullptr; }
//       static void Close(Handle key) { plat::RegCloseKey(key); }
//   };
//   using RegKey = UniqueHandle<RegKeyTraits>;
//
// A kind whose API reports failure with more than one value (SetupDiOpenDevRegKey
// gives INVALID_HANDLE_VALUE, other calls null) adds `static bool IsValid(Handle)`.
#pragma once

#include <concepts>
#include <utility>

namespace base {

template <typename Traits>
concept HandleTraitsWithValidity = requires(typename Traits::Handle handle) {
    { Traits::IsValid(handle) } -> std::convertible_to<bool>;
};

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    bool valid() const noexcept { return IsValid(handle_); }
    explicit operator bool() const noexcept { return valid(); }

    // Closes the handle held (if any) and takes `handle` instead.
    void reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (IsValid(old)) {
            Traits::Close(old);
        }
    }
    // Gives up ownership without closing.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  private:
    static bool IsValid(Handle handle) noexcept {
        if constexpr (HandleTraitsWithValidity<Traits>) {
            return Traits::IsValid(handle);
        } else {
            return handle != Traits::Invalid();
        }
    }

    Handle handle_ = Traits::Invalid();
};

}  // namespace base
