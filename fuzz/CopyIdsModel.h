// What "Copy IDs" must put on the clipboard, stated independently of ui/ so that
// MultiStringToLines and the clipboard text can be checked against it.
#pragma once

#include <string>
#include <vector>

namespace model {

inline constexpr char kLineMarker = '\xFF';

// The text cut at every NUL: one more piece than there are NULs.
inline std::vector<std::string> PiecesAtNul(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == '\0') {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

inline std::string JoinWith(const std::vector<std::string>& pieces, std::size_t count,
                            const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) {
            text += separator;
        }
        text += pieces[i];
    }
    return text;
}

// An empty piece between two NULs (two adjacent NULs) ends the text just before
// the first of them; without one every NUL becomes a marker.
inline std::string MultiStringToLines(const std::string& text) {
    const std::vector<std::string> pieces = PiecesAtNul(text);
    const std::size_t nuls = pieces.size() - 1;
    for (std::size_t j = 1; j < nuls; ++j) {
        if (pieces[j].empty()) {
            return JoinWith(pieces, j, std::string(1, kLineMarker));
        }
    }
    return JoinWith(pieces, pieces.size(), std::string(1, kLineMarker));
}

// A byte of an ID that the clipboard text shows as '?': one that could end the
// ID's quoted line (a quote, a control byte, 0x7F) or be taken for the separator
// mark.
inline bool ShownAsQuestionMark(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte != 0 && (byte < 0x20 || byte == 0x7F || byte == '"' || byte == 0xFF);
}

// The IDs that the clipboard text lists: the instance ID, then the hardware IDs up
// to the first empty one (two adjacent NULs), each with its line-breaking bytes
// shown as '?'. A closing NUL of the hardware IDs alone lists one more, empty ID.
inline std::vector<std::string> ListedIds(const std::string& instanceId,
                                          const std::string& hardwareIds) {
    const std::vector<std::string> pieces =
        PiecesAtNul(instanceId + std::string(1, '\0') + hardwareIds + std::string(1, '\0'));
    const std::size_t nuls = pieces.size() - 1;
    std::size_t count = pieces.size();
    for (std::size_t j = 1; j < nuls; ++j) {
        if (pieces[j].empty()) {
            count = j;
            break;
        }
    }
    std::vector<std::string> ids(pieces.begin(), pieces.begin() + static_cast<long>(count));
    for (std::string& id : ids) {
        for (char& c : id) {
            if (ShownAsQuestionMark(c)) {
                c = '?';
            }
        }
    }
    return ids;
}

// One quoted line per listed ID, each ended by CR LF.
inline std::string CopyIdsText(const std::string& instanceId, const std::string& hardwareIds) {
    std::string text;
    for (const std::string& id : ListedIds(instanceId, hardwareIds)) {
        text += "\"" + id + "\"\r\n";
    }
    return text;
}

// What a property read gives for stored bytes: everything but the last byte.
inline std::string PropertyText(const std::string& stored) {
    return stored.empty() ? std::string() : stored.substr(0, stored.size() - 1);
}

}  // namespace model
