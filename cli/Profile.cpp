#include "cli/Profile.h"

#include "cli/Arguments.h"
#include "config/Rate.h"

namespace cli {

namespace {

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Windows editors and shells save text with a byte-order mark: Notepad's UTF-8 and
// the UTF-16 of Windows PowerShell's ">" redirection. Both become plain 8-bit text;
// UTF-16 characters beyond one byte cannot appear in a profile's IDs.
std::string WithoutByteOrderMark(const std::string& text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        return text.substr(3);
    }
    if (text.rfind("\xFF\xFE", 0) != 0) {
        return text;
    }
    if (text.size() % 2 != 0) {
        throw ProfileError("profile in UTF-16 has an odd number of bytes");
    }
    std::string narrow;
    for (std::size_t i = 2; i < text.size(); i += 2) {
        if (text[i + 1] != '\0' || text[i] == '\0') {
            throw ProfileError("profile in UTF-16 holds a character outside ANSI text");
        }
        narrow += text[i];
    }
    return narrow;
}

class ProfileReader {
  public:
    Profile Read(const std::string& text) {
        if (text.size() > kProfileMaxBytes) {
            throw ProfileError("profile is larger than 1 MiB");
        }
        if (text.find('\0') != std::string::npos) {
            throw ProfileError("profile holds a NUL byte; it is no text file");
        }
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find('\n', at);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            ++number_;
            Line(Trim(line));
            at = end + 1;
        }
        FinishEntry();
        if (!versionSeen_) {
            throw ProfileError("not a quorvin profile: no \"version = 1\" line");
        }
        return std::move(profile_);
    }

  private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw ProfileError("profile line " + std::to_string(number_) + ": " + why);
    }

    void Line(const std::string& line) {
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            return;
        }
        for (const char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
                Fail("control character in the line");
            }
        }
        if (line[0] == '[') {
            if (base::EqualNoCaseAscii(line, "[device]")) {
                if (!versionSeen_) {
                    Fail("\"version = 1\" must come first");
                }
                FinishEntry();
                entry_.emplace();
                seen_.clear();
                return;
            }
            Fail("unknown section " + line);
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            Fail("expected \"name = value\"");
        }
        const std::string name = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (!versionSeen_) {
            if (name != "version") {
                Fail("\"version = 1\" must come first");
            }
            if (value != std::to_string(kProfileVersion)) {
                Fail("unsupported profile version \"" + value + "\"");
            }
            versionSeen_ = true;
            return;
        }
        if (!entry_) {
            Fail("\"" + name + "\" outside a [device] section");
        }
        for (const std::string& seen : seen_) {
            if (seen == name) {
                Fail("\"" + name + "\" given twice");
            }
        }
        seen_.push_back(name);
        Setting(name, value);
    }

    void Setting(const std::string& name, const std::string& value) {
        ProfileEntry& entry = *entry_;
        if (name == "instance-id" || name == "hardware-id") {
            if (value.empty()) {
                Fail(name + " is empty");
            }
            (name == "instance-id" ? entry.instanceId : entry.hardwareId) = value;
        } else if (name == "description") {
            entry.description = value;
        } else if (name == "filter") {
            if (base::EqualNoCaseAscii(value, "on") || base::EqualNoCaseAscii(value, "off")) {
                entry.filter = base::EqualNoCaseAscii(value, "on");
            } else {
                Fail("filter must be on or off, not \"" + value + "\"");
            }
        } else if (name == "rate") {
            entry.rate = RateIndex(value);
        } else {
            Fail("unknown name \"" + name + "\"");
        }
    }

    int RateIndex(const std::string& value) const {
        for (std::size_t i = 0; i < config::RateNames.size(); ++i) {
            if (base::EqualNoCaseAscii(value, config::RateNames[i])) {
                return static_cast<int>(i);
            }
        }
        Fail("bad rate \"" + value + "\" (Default, 1000, 500, 250, 125, 62 or 31)");
    }

    void FinishEntry() {
        if (!entry_) {
            return;
        }
        if (entry_->instanceId.empty() && entry_->hardwareId.empty()) {
            Fail("a [device] section needs instance-id or hardware-id");
        }
        if (!entry_->filter && !entry_->rate) {
            Fail("a [device] section needs filter or rate");
        }
        profile_.entries.push_back(std::move(*entry_));
        entry_.reset();
    }

    Profile profile_;
    std::optional<ProfileEntry> entry_;
    std::vector<std::string> seen_;
    bool versionSeen_ = false;
    int number_ = 0;
};

// Values are single lines; a line break inside one would start a new line.
std::string OneLine(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return Trim(line);
}

}  // namespace

Profile ParseProfile(const std::string& text) {
    if (text.size() > 2 * kProfileMaxBytes) {
        throw ProfileError("profile is larger than 1 MiB");
    }
    return ProfileReader().Read(WithoutByteOrderMark(text));
}

std::string FormatProfile(const Profile& profile) {
    std::string text = "# quorvin profile: which devices carry the filter and which rate\n";
    text += "version = " + std::to_string(kProfileVersion) + "\n";
    for (const ProfileEntry& entry : profile.entries) {
        text += "\n[device]\n";
        if (!entry.instanceId.empty()) {
            text += "instance-id = " + OneLine(entry.instanceId) + "\n";
        }
        if (!entry.hardwareId.empty()) {
            text += "hardware-id = " + OneLine(entry.hardwareId) + "\n";
        }
        if (!OneLine(entry.description).empty()) {
            text += "description = " + OneLine(entry.description) + "\n";
        }
        if (entry.filter) {
            text += std::string("filter = ") + (*entry.filter ? "on" : "off") + "\n";
        }
        if (entry.rate) {
            text += std::string("rate = ") +
                    config::RateNames.at(static_cast<std::size_t>(*entry.rate)) + "\n";
        }
    }
    return text;
}

}  // namespace cli
