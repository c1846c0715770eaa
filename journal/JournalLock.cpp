#include "journal/JournalLock.h"

#include "journal/JournalFiles.h"
#include "journal/JournalStore.h"

namespace journal {

JournalLock::JournalLock() {
    std::string folder;
    problem_ = UsableJournalFolder(true, folder);
    if (!problem_.empty()) {
        return;
    }
    const std::string path = folder + "\\" + kJournalLockName;
    const LocalBlock descriptor = AdminOnlyFileDescriptor();
    if (!descriptor) {
        problem_ = "The undo journal's lock " + path + " could not be made.";
        return;
    }
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
    for (DWORD waited = 0;; waited += kJournalWaitStepMs) {
        // Never through a link: the folder is the administrators' alone, but the lock is
        // opened as itself all the same.
        auto file = std::make_unique<FileHandle>(
            plat::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &security, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (file->valid()) {
            file_ = std::move(file);
            return;
        }
        if (plat::GetLastError() != ERROR_SHARING_VIOLATION) {
            problem_ = "The undo journal's lock " + path + " could not be opened.";
            return;
        }
        if (waited >= kJournalLockWaitMs) {
            problem_ =
                "The undo journal is in use by another program (the setup window or "
                "quorvin.exe) for more than " +
                std::to_string(kJournalLockWaitMs / 1000) +
                " seconds; try again when it has finished.";
            return;
        }
        plat::Sleep(kJournalWaitStepMs);
    }
}

JournalLock::~JournalLock() = default;

}  // namespace journal
