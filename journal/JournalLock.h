// The lock held across the journal's load, change and save, so that two programs at
// once (the window and quorvin.exe, or two runs of quorvin.exe in a deployment
// script) never lose each other's entries: the file "undo-journal.lock" in the
// journal's folder, made with the journal's own descriptor and opened without
// sharing, so that another opener is refused (ERROR_SHARING_VIOLATION) until the
// holder closes it. A program that finds it held waits, up to kJournalLockWaitMs.
// Windows closes the handle of a program that ends, so a crash leaves no stale lock.
// Reading alone (status) takes no lock: the journal is replaced whole by a rename.
#pragma once

#include <memory>
#include <string>

#include "platform/WinTypes.h"

namespace journal {

class FileHandle;

inline constexpr const char* kJournalLockName = "undo-journal.lock";
inline constexpr DWORD kJournalLockWaitMs = 10000;
inline constexpr DWORD kJournalWaitStepMs = 50;

class JournalLock {
  public:
    // Takes the lock, making the journal's folder first when it is absent.
    JournalLock();
    ~JournalLock();
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    bool held() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }  // why not held, for the user

  private:
    std::unique_ptr<FileHandle> file_;
    std::string problem_;
};

}  // namespace journal
