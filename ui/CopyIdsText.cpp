#include "ui/CopyIdsText.h"

namespace ui {

namespace {

constexpr char kMarker = '\xFF';
constexpr char kShownInstead = '?';

bool BreaksItsLine(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || byte == '"' || c == kMarker;
}

// The IDs' own bytes made safe for one quoted line each; the NULs between the IDs
// stay, as they are what separates them.
std::string WithinTheirLines(std::string ids) {
    for (char& c : ids) {
        if (c != '\0' && BreaksItsLine(c)) {
            c = kShownInstead;
        }
    }
    return ids;
}

}  // namespace

std::string MultiStringToLines(std::string S) {
    bool previousWasNul = false;
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '\0') {
            previousWasNul = false;
        } else if (previousWasNul) {
            S.resize(i - 1);
            break;
        } else {
            S[i] = kMarker;
            previousWasNul = true;
        }
    }
    return S;
}

std::string CopyIdsText(const std::string& instanceId, const std::string& hardwareIds) {
    std::string joined = instanceId;
    joined += '\0';
    joined += hardwareIds;
    joined += '\0';
    std::string text = "\"";
    for (const char c : MultiStringToLines(WithinTheirLines(joined))) {
        if (c == kMarker) {
            text += "\"\r\n\"";
        } else {
            text += c;
        }
    }
    text += "\"\r\n";
    return text;
}

}  // namespace ui
