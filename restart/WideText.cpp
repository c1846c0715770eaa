#include "restart/WideText.h"

#include <vector>

#include "platform/Platform.h"

namespace restart {

WideString WidenAscii(std::string_view ascii) {
    WideString wide;
    for (const char c : ascii) {
        wide += static_cast<WCHAR>(static_cast<unsigned char>(c));
    }
    return wide;
}

bool SameAscii(WideView text, std::string_view ascii) {
    if (text.size() != ascii.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != static_cast<WCHAR>(static_cast<unsigned char>(ascii[i]))) {
            return false;
        }
    }
    return true;
}

bool IsAscii(WideView text) {
    for (const WCHAR c : text) {
        if (c > 0x7F) {
            return false;
        }
    }
    return true;
}

std::string NarrowAscii(WideView ascii) {
    std::string narrow;
    for (const WCHAR c : ascii) {
        narrow += c <= 0x7F ? static_cast<char>(c) : '?';
    }
    return narrow;
}

std::string ShownInAnsi(WideView text) {
    if (text.empty()) {
        return {};
    }
    const int count = static_cast<int>(text.size());
    const int size =
        plat::WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(size));
        if (plat::WideCharToMultiByte(CP_ACP, 0, text.data(), count, buffer.data(), size, nullptr,
                                      nullptr) == size) {
            return std::string(buffer.begin(), buffer.end());
        }
    }
    // Without the conversion, the ASCII part at least.
    return NarrowAscii(text);
}

}  // namespace restart
