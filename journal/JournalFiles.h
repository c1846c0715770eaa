// What the journal's store and its lock share: owners of the handles and blocks the
// platform hands out, the journal's folder, and the descriptor its files are made with.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/Platform.h"

namespace journal {

// Owns a file or folder handle.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // False when the platform reports the close failed (data may not be written).
    bool Close() {
        if (!valid()) {
            return true;
        }
        return plat::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    }

  private:
    HANDLE handle_;
};

// Owns a block the platform allocated (a security descriptor or its text).
struct LocalFreer {
    void operator()(void* block) const { plat::LocalFree(block); }
};
using LocalBlock = std::unique_ptr<void, LocalFreer>;

// The journal's folder under the machine's program-data folder; empty when unknown.
std::string JournalFolder();
// The journal's folder, made when absent and create is set, and checked: empty when
// usable (folder: its path), otherwise why not, for the user. A folder that is absent
// and not made is usable (there is no journal yet).
std::string UsableJournalFolder(bool create, std::string& folder);

// The journal's files' own security descriptor (kAdminOnlyFileSddl), owned by the
// returned block; null when it cannot be made. Every file the journal creates gets
// it explicitly: the default owner of what an administrator creates is the user on
// Windows XP, and the journal refuses files an administrator does not own.
LocalBlock AdminOnlyFileDescriptor();

}  // namespace journal
