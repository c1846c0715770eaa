// The undo journal's parser on any bytes: it never crashes, accepts only what it can
// write back unchanged in meaning, and a journal it accepts formats and parses again
// to the same entries.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "journal/JournalText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const journal::ParsedJournal parsed = journal::ParseJournal(text);
    if (!parsed.ok) {
        if (parsed.error.empty() || !parsed.journal.entries.empty()) {
            std::abort();
        }
        return 0;
    }
    const std::string again = FormatJournal(parsed.journal);
    const journal::ParsedJournal reparsed = journal::ParseJournal(again);
    if (!reparsed.ok || FormatJournal(reparsed.journal) != again ||
        reparsed.journal.entries.size() != parsed.journal.entries.size()) {
        std::abort();
    }
    return 0;
}
