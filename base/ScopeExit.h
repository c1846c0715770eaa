// Runs a function when the scope ends, however it ends (normally or by an
// exception), unless release() was called first. For the one-off "put it back
// afterwards" cases: a flag set for the length of a handler, a count of open
// questions, a DC's state restored after a paint.
#pragma once

#include <utility>

namespace base {

template <typename Fn>
class [[nodiscard]] ScopeExit {
  public:
    explicit ScopeExit(Fn fn) : fn_(std::move(fn)) {}
    ~ScopeExit() {
        if (active_) {
            fn_();
        }
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

    void release() noexcept { active_ = false; }

  private:
    Fn fn_;
    bool active_ = true;
};

}  // namespace base
