#include "companion/ShownText.h"

namespace companion {

std::string ShownText(const std::string& text) {
    std::string shown = text.substr(0, kShownTextLimit);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    if (text.size() > kShownTextLimit) {
        shown += "...";
    }
    return shown;
}

}  // namespace companion
