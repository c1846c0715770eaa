// A font as the window layer describes it: face name and character height.
#pragma once

#include <string>

namespace gui {

struct TFont {
    std::string Name;
    int Height = 0;  // character height in pixels, internal leading excluded
};

}  // namespace gui
