#include "input/ActivityMarks.h"

#include <algorithm>

namespace input {

ActivityMarks::ActivityMarks(LONGLONG frequency) : frequency_(frequency > 0 ? frequency : 1) {}

void ActivityMarks::Mark(int row, LONGLONG time) {
    if (row < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index >= marked_.size()) {
        marked_.resize(index + 1, -1);
    }
    marked_[index] = std::max(marked_[index], time);
}

double ActivityMarks::Level(int row, LONGLONG now) const {
    if (row < 0 || static_cast<std::size_t>(row) >= marked_.size() ||
        marked_[static_cast<std::size_t>(row)] < 0) {
        return 0.0;
    }
    const double age = static_cast<double>(now - marked_[static_cast<std::size_t>(row)]) /
                       static_cast<double>(frequency_);
    return std::clamp(1.0 - age / kFadeSeconds, 0.0, 1.0);
}

bool ActivityMarks::AnyShowing(LONGLONG now) const {
    for (std::size_t row = 0; row < marked_.size(); ++row) {
        if (Level(static_cast<int>(row), now) > 0.0) {
            return true;
        }
    }
    return false;
}

}  // namespace input
