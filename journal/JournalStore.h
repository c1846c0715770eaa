// Where the undo journal lives and how it is read and written. The program runs as an
// administrator, so its file must be out of reach of everyone else: it lives in a
// folder of its own under the machine's program-data folder, created with an access
// list that lets only Administrators and SYSTEM write. Before the folder or the file
// is used, each is opened as itself (never through a link: a link or junction there
// could have been planted by a user, since users may create folders in program data)
// and its owner and access list are checked. A folder or file that fails is refused
// with a message saying why, and nothing is read from it or written to it.
//
// The journal is replaced whole: written to a temporary file beside it, flushed to the
// disk, then renamed over the old one with a write-through rename. A crash at any point
// leaves the old journal or the new one, never a mixture. Every file it makes gets the
// journal's own descriptor (owner Administrators), whatever the system's default owner.
// Whoever loads, changes and saves holds the JournalLock (JournalLock.h) throughout.
#pragma once

#include <string>

#include "journal/JournalText.h"

namespace journal {

inline constexpr const char* kJournalFolderName = "QUORVIN Setup";
inline constexpr const char* kJournalFileName = "undo-journal.txt";
inline constexpr const char* kJournalTempName = "undo-journal.tmp";
// How long a save tries to replace a journal that a reader holds open.
inline constexpr unsigned long kJournalReplaceWaitMs = 2000;

struct LoadedJournal {
    bool ok = false;  // false: refused or damaged, see message
    Journal journal;  // empty when there is no journal yet
    std::string message;
};

// The journal, or an empty one when there is none yet.
LoadedJournal LoadJournal();
// Replaces the journal; empty when done, otherwise why not.
std::string SaveJournal(const Journal& journal);
// Why no undo journal can be kept on this machine, or empty: the volume of the
// program-data folder keeps no access lists (no FS_PERSISTENT_ACLS: FAT32, found on
// XP machines upgraded from older Windows), so no file there can be kept from other
// users, and the checks would refuse every journal. The window says so once and then
// makes changes without asking; the command line notes it on each change.
std::string JournalNotKeptHere();
// The journal file's full path, or empty when the program-data folder is unknown.
std::string JournalPath();

}  // namespace journal
