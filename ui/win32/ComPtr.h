// The owner of one COM reference: releases it exactly once. Move-only; a copy is
// made by asking the object for another reference explicitly (AddRef).
#pragma once

#include <utility>

namespace win32 {

template <typename T>
class ComPtr {
  public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* object) noexcept : object_(object) {}
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    T& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    // Releases the reference held (if any) and takes `object` instead.
    void reset(T* object = nullptr) noexcept {
        if (T* old = std::exchange(object_, object)) {
            old->Release();
        }
    }
    // Gives up the reference without releasing it.
    [[nodiscard]] T* release() noexcept { return std::exchange(object_, nullptr); }
    // For a call that hands out a new reference through a T** out-parameter.
    T** put() noexcept {
        reset();
        return &object_;
    }

  private:
    T* object_ = nullptr;
};

}  // namespace win32
