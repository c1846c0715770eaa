// A profile: which devices carry the filter and which rate, as `export` writes it and
// `apply` reads it. Plain text, meant to be read and edited by people:
//
//   # quorvin profile
//   version = 1
//
//   [device]
//   instance-id = USB\VID_0E8F&PID_0021\5&3B1D2A0&0&2
//   hardware-id = USB\VID_0E8F&PID_0021
//   description = USB Input Device
//   filter = on
//   rate = 125
//
// The first setting line is "version = 1". Each [device] section names a device by
// instance-id (the same device) and/or hardware-id (the same model anywhere: the
// device carries this hardware ID), and says filter (on/off) and/or rate (a rate
// name); what a section leaves out is left alone. description is a note for people.
// Blank lines and lines starting with '#' or ';' are ignored; blanks around names and
// values are dropped. Anything else (an unknown or repeated name, a bad value, a
// section without a device or without a setting, a NUL byte, a file over 1 MiB) is an
// error naming the line. A UTF-8 or UTF-16LE byte-order mark (Notepad, Windows
// PowerShell's redirection) is understood.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kProfileVersion = 1;
inline constexpr std::size_t kProfileMaxBytes = 1 << 20;

struct ProfileEntry {
    std::string instanceId;
    std::string hardwareId;
    std::string description;
    std::optional<bool> filter;
    std::optional<int> rate;  // rate index
};

struct Profile {
    std::vector<ProfileEntry> entries;
};

struct ProfileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Profile ParseProfile(const std::string& text);
std::string FormatProfile(const Profile& profile);

}  // namespace cli
