// The undo journal as text: every change the program made to a device's setting,
// oldest first, enough to put the earlier value back. The text is meant to be read by
// people; the parser accepts exactly what FormatJournal writes (comments and blank
// lines aside) and names the first line it cannot accept, so that a damaged journal
// is never used.
//
//   QUORVIN Setup undo journal 1
//   # comment lines and blank lines between changes are ignored
//
//   change
//   time 2026-03-14 09:30:05 UTC
//   device USB\VID_0E8F&PID_0021\5&3B1D2A0&0&2
//   hardware USB\VID_0E8F&PID_0021&REV_0100
//   setting lower-filters                    (or: setting rate)
//   before = mfltx%00%00                     (or: before none, before unknown)
//   after = quorvin%00mfltx%00%00
//   end
//
// Device and hardware IDs and lower-filter lists are written byte for byte, except that
// a byte outside "!" to "~" and "%" itself become %XX (two upper-case hex digits), so
// that nothing a device reports can add a line or a field. A rate value is the
// bInterval number in decimal. Lines end with CR LF; LF alone is accepted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/PlannedChange.h"

namespace journal {

struct JournalEntry {
    std::string time;  // "2026-03-14 09:30:05 UTC"
    std::string instanceId;
    std::string hardwareId;  // the device's first; may be empty
    config::PlannedChange change;
};

struct Journal {
    std::vector<JournalEntry> entries;  // oldest first
};

// A journal larger than this is taken for a damaged one.
inline constexpr std::size_t kMaxJournalBytes = 1 << 20;
inline constexpr const char* kJournalHeader = "QUORVIN Setup undo journal 1";

std::string FormatJournal(const Journal& journal);

struct ParsedJournal {
    bool ok = false;
    Journal journal;
    std::string error;  // "line 7: ..." when not ok
};
ParsedJournal ParseJournal(std::string_view text);

// %XX escaping of the bytes, and its inverse (false for a malformed text).
std::string EscapeJournalBytes(std::string_view bytes);
bool UnescapeJournalBytes(std::string_view text, std::string& bytes);

}  // namespace journal
