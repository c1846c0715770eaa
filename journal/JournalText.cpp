#include "journal/JournalText.h"

#include <array>
#include <cstdint>
#include <optional>

namespace journal {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kHexDigits = "0123456789ABCDEF";
constexpr std::size_t kIntervalSize = 4;

const char* SettingName(config::DeviceSetting setting) {
    return setting == config::DeviceSetting::Rate ? "rate" : "lower-filters";
}

std::uint32_t Interval(const std::string& bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = kIntervalSize; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

std::string ValueText(config::DeviceSetting setting, const config::StoredSetting& value) {
    switch (value.state) {
        case config::StoredSetting::State::Absent:
            return "none";
        case config::StoredSetting::State::Unknown:
            return "unknown";
        case config::StoredSetting::State::Present:
            break;
    }
    if (setting == config::DeviceSetting::Rate && value.bytes.size() == kIntervalSize) {
        return "= " + std::to_string(Interval(value.bytes));
    }
    return "= " + EscapeJournalBytes(value.bytes);
}

// Reads the text line by line and knows the number of the last line read.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    // At the end, false; the number then names the line that is missing.
    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) {
            ++number_;
            return false;
        }
        const std::size_t end = text_.find('\n', at_);
        line = text_.substr(at_, end == std::string_view::npos ? end : end - at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number_;
        return true;
    }
    int Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
};

// "key value" or "key" alone (an empty value); false when the key differs.
bool Field(std::string_view line, std::string_view key, std::string_view& value) {
    if (line.substr(0, key.size()) != key) {
        return false;
    }
    if (line.size() == key.size()) {
        value = {};
        return true;
    }
    if (line[key.size()] != ' ') {
        return false;
    }
    value = line.substr(key.size() + 1);
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "YYYY-MM-DD HH:MM:SS UTC"
bool ValidTime(std::string_view time) {
    constexpr std::string_view kShape = "0000-00-00 00:00:00 UTC";
    if (time.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] == '0' ? !IsDigit(time[i]) : time[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<config::StoredSetting> ParseValue(config::DeviceSetting setting,
                                                std::string_view text) {
    if (text == "none") {
        return config::StoredSetting{config::StoredSetting::State::Absent, {}};
    }
    if (text == "unknown") {
        return config::StoredSetting{config::StoredSetting::State::Unknown, {}};
    }
    if (text.substr(0, 2) != "= ") {
        return std::nullopt;
    }
    text.remove_prefix(2);
    config::StoredSetting value{config::StoredSetting::State::Present, {}};
    if (setting == config::DeviceSetting::Rate) {
        const std::optional<std::uint32_t> number = ParseNumber(text);
        if (!number) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < kIntervalSize; ++i) {
            value.bytes += static_cast<char>((*number >> (8 * i)) & 0xFF);
        }
        return value;
    }
    if (!UnescapeJournalBytes(text, value.bytes)) {
        return std::nullopt;
    }
    return value;
}

ParsedJournal Failure(int line, const std::string& what) {
    ParsedJournal parsed;
    parsed.error = "line " + std::to_string(line) + ": " + what;
    return parsed;
}

}  // namespace

std::string EscapeJournalBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > ' ' && byte < 0x7F && byte != '%') {
            text += c;
        } else {
            text += '%';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        }
    }
    return text;
}

bool UnescapeJournalBytes(std::string_view text, std::string& bytes) {
    auto digit = [](char c) -> int {
        if (IsDigit(c)) {
            return c - '0';
        }
        return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '%') {
            if (i + 2 >= text.size()) {
                return false;
            }
            const int high = digit(text[i + 1]);
            const int low = digit(text[i + 2]);
            if (high < 0 || low < 0) {
                return false;
            }
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (byte > ' ' && byte < 0x7F) {
            bytes += text[i];
        } else {
            return false;
        }
    }
    return true;
}

std::string FormatJournal(const Journal& journal) {
    std::string text = std::string(kJournalHeader) + kLineEnd;
    text += "# Changes QUORVIN Setup made to devices, oldest first. \"Undo last change\" and";
    text += kLineEnd;
    text += "# \"Restore all\" in the device list's context menu put the earlier values back.";
    text += kLineEnd;
    for (const JournalEntry& entry : journal.entries) {
        const config::DeviceSetting setting = entry.change.setting;
        text += kLineEnd;
        text += std::string("change") + kLineEnd;
        text += "time " + entry.time + kLineEnd;
        text += "device " + EscapeJournalBytes(entry.instanceId) + kLineEnd;
        const std::string hardware = EscapeJournalBytes(entry.hardwareId);
        text += (hardware.empty() ? "hardware" : "hardware " + hardware) + kLineEnd;
        text += std::string("setting ") + SettingName(setting) + kLineEnd;
        text += "before " + ValueText(setting, entry.change.before) + kLineEnd;
        text += "after " + ValueText(setting, entry.change.after) + kLineEnd;
        text += std::string("end") + kLineEnd;
    }
    return text;
}

ParsedJournal ParseJournal(std::string_view text) {
    if (text.size() > kMaxJournalBytes) {
        return Failure(0, "the journal is larger than any this program writes");
    }
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != kJournalHeader) {
        return Failure(1, "this is not a journal this program can read");
    }
    ParsedJournal parsed;
    while (lines.Next(line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line != "change") {
            return Failure(lines.Number(), "\"change\" expected");
        }
        JournalEntry entry;
        std::string_view value;
        auto next = [&](std::string_view key) {
            return lines.Next(line) && Field(line, key, value);
        };
        if (!next("time") || !ValidTime(value)) {
            return Failure(lines.Number(), "a time \"YYYY-MM-DD HH:MM:SS UTC\" expected");
        }
        entry.time = std::string(value);
        if (!next("device") || value.empty() || !UnescapeJournalBytes(value, entry.instanceId)) {
            return Failure(lines.Number(), "a device instance ID expected");
        }
        if (!next("hardware") || !UnescapeJournalBytes(value, entry.hardwareId)) {
            return Failure(lines.Number(), "a hardware ID expected");
        }
        if (!next("setting") || (value != "lower-filters" && value != "rate")) {
            return Failure(lines.Number(),
                           "\"setting lower-filters\" or \"setting rate\" expected");
        }
        entry.change.setting =
            value == "rate" ? config::DeviceSetting::Rate : config::DeviceSetting::LowerFilters;
        std::optional<config::StoredSetting> before;
        if (!next("before") || !(before = ParseValue(entry.change.setting, value))) {
            return Failure(lines.Number(), "the earlier value expected");
        }
        entry.change.before = *before;
        std::optional<config::StoredSetting> after;
        if (!next("after") || !(after = ParseValue(entry.change.setting, value)) ||
            after->state == config::StoredSetting::State::Unknown) {
            return Failure(lines.Number(), "the value written expected");
        }
        entry.change.after = *after;
        if (!lines.Next(line) || line != "end") {
            return Failure(lines.Number(), "\"end\" expected");
        }
        parsed.journal.entries.push_back(std::move(entry));
    }
    parsed.ok = true;
    return parsed;
}

}  // namespace journal
