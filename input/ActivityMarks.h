// The marks of rows whose device just sent input: full when it arrives, fading to
// nothing over kFadeSeconds, so that a user finds a device by using it.
#pragma once

#include <vector>

#include "platform/InputTypes.h"

namespace input {

inline constexpr double kFadeSeconds = 1.0;

class ActivityMarks {
  public:
    explicit ActivityMarks(LONGLONG frequency);

    void Mark(int row, LONGLONG time);
    // 1 just after a mark, 0 once it has faded (or for a row never marked).
    double Level(int row, LONGLONG now) const;
    bool AnyShowing(LONGLONG now) const;
    // The rows changed meaning: a rebuilt list.
    void Clear() { marked_.clear(); }

  private:
    LONGLONG frequency_;
    std::vector<LONGLONG> marked_;  // per row, the last mark's time; -1 for none
};

}  // namespace input
