// The simulated machine's file system: folders and files by full path, each with its
// owner and access list, and links (junctions or symbolic links) that a test plants.
//
// How the seam answers from it, where Windows leaves room or the simulation chooses:
// - Paths are full ("C:\ProgramData\..."), compared without letter case, one backslash
//   between components. SHGetFolderPathA(CSIDL_COMMON_APPDATA) gives programData.
// - Security is kept as SDDL text: an owner ("BA", "SY", "S-1-5-21-...") and a DACL
//   ("D:P(A;OICI;FA;;;SY)..."). An object created with a security descriptor takes its
//   owner (the process's, processOwner, when it names none) and its DACL; one created
//   without takes the processOwner and its folder's DACL. processOwner is the default
//   owner of what an administrator creates: Administrators ("BA") from Vista on; on XP
//   the creator itself (the user's SID), which a test sets. No access is ever checked:
//   the program runs as an administrator and the tests look at what it checks itself.
// - Sharing. CreateFileA fails with ERROR_SHARING_VIOLATION when the access asked for
//   (reading, writing, deleting) is not shared by a handle open on the file, or an open
//   handle's access is not shared by the share mode asked for. MoveFileExA fails with
//   ERROR_SHARING_VIOLATION while its source is open without FILE_SHARE_DELETE, and
//   with ERROR_ACCESS_DENIED while its existing destination is open at all (MoveFileEx
//   does not replace an open file, whatever the opener shared); DeleteFileA fails with
//   ERROR_SHARING_VIOLATION while the file is open without FILE_SHARE_DELETE.
// - The volume. GetVolumeInformationA on "C:\" reports fileSystemName and
//   fileSystemFlags: NTFS with FS_PERSISTENT_ACLS unless a test makes it FAT32.
// - Sleep returns at once; it counts in `slept` and runs onSleep, through which a test
//   lets another "process" finish while the program waits.
// - Links. A link is an entry with FILE_ATTRIBUTE_REPARSE_POINT and a target path. A
//   path through a link goes on at the target, except for its last component when the
//   call does not follow links there: GetFileAttributesA, and CreateFileA with
//   FILE_FLAG_OPEN_REPARSE_POINT, see the link itself (its owner and DACL too).
// - Durability. Each file has the content that reads see and the content that would
//   survive a crash: FlushFileBuffers makes the first durable. MoveFileExA with
//   MOVEFILE_WRITE_THROUGH is durable at once; a rename without it is undone by a crash.
//   Crash() (or crashAfterCalls) models the machine stopping: unflushed content and
//   unflushed renames are lost, every handle is gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/WinFileTypes.h"
#include "platform/sim/SimMachine.h"

namespace sim {

// Thrown by the file-system call at which crashAfterCalls stops the machine.
struct Crashed : std::runtime_error {
    Crashed() : std::runtime_error("simulated machine stopped") {}
};

struct DiskEntry {
    bool folder = false;
    std::optional<std::string> linkTarget;  // set: a link (reparse point) to this path
    std::string owner = "BA";
    std::string dacl;
    std::string content;  // what reads see
    std::string durable;  // what a crash leaves
};

// The folder the program-data query names, and its default access list: everyone
// may read; users may create folders of their own in it, as on Windows.
inline const std::string kProgramData = "C:\\ProgramData";
inline const std::string kProgramDataDacl =
    "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;CI;DCLCRPCR;;;BU)"
    "(A;OICIIO;GA;;;CO)";

class Disk {
  public:
    Disk();

    std::string programData = kProgramData;
    bool programDataQueryFails = false;
    std::string processOwner = "BA";
    std::string fileSystemName = "NTFS";
    DWORD fileSystemFlags = 0x000700FFu;  // NTFS's, FS_PERSISTENT_ACLS among them
    DWORD slept = 0;                      // milliseconds Sleep was asked for
    std::function<void()> onSleep;
    // The time GetSystemTime reports.
    SYSTEMTIME now{2026, 3, 0, 14, 9, 30, 5, 0};
    // When non-zero, the nth file-system call from now stops the machine before it
    // acts: Crash() runs, `stopped` is set and the call throws Crashed. Calls that
    // release something (CloseHandle, LocalFree) run in destructors and never throw:
    // the call after them does. A test clears `stopped` before going on.
    int crashAfterCalls = 0;
    bool stopped = false;

    // --- building and inspecting -------------------------------------------------
    void AddFolder(const std::string& path, const std::string& owner, const std::string& dacl);
    void AddFile(const std::string& path, const std::string& content,
                 const std::string& owner = "BA", const std::string& dacl = "");
    // A link at path to target, owned by owner (a non-administrator's, typically).
    void AddLink(const std::string& path, const std::string& target, bool folder,
                 const std::string& owner);
    bool Exists(const std::string& path) const;
    DiskEntry* Find(const std::string& path);
    DiskEntry& Get(const std::string& path);  // throws std::out_of_range
    std::vector<std::string> Paths() const;   // every entry, sorted
    void Crash();

    // --- the seam's view -------------------------------------------------------------
    // The path with every link on it resolved; the last component too unless
    // followLast is false. Empty when the links loop.
    std::string Resolve(const std::string& path, bool followLast) const;
    // True when the call must stop the machine now (counts calls while armed), or
    // the machine has stopped already.
    bool CountCall();

    struct OpenFile {
        std::string path;  // resolved
        DWORD access = 0;
        std::size_t position = 0;
        DWORD share = 0;
    };
    std::map<std::uintptr_t, OpenFile> handles;
    std::uintptr_t nextHandle = 0x00D40000;
    // Security descriptors (their SDDL text) and strings handed out, freed by
    // LocalFree. A string's block holds the text with its terminator and is known by
    // its address; a descriptor's by a handle value of its own.
    std::map<std::uintptr_t, std::unique_ptr<std::string>> localBlocks;
    std::uintptr_t nextLocal = 0x00E50000;
    struct PendingRename {
        std::string from, to;
        std::optional<DiskEntry> replaced;
    };
    std::vector<PendingRename> pendingRenames;
    std::map<std::string, DiskEntry> entries;  // by upper-cased path

    static std::string KeyOf(const std::string& path);
    static std::string ParentOf(const std::string& path);
};

// FILE_ATTRIBUTE_DIRECTORY or _NORMAL, with _REPARSE_POINT for a link.
DWORD AttributesOf(const DiskEntry& entry);
// What GetFileAttributesA reports for a path on the disk (links on its last component
// not followed), or INVALID_FILE_ATTRIBUTES when the disk has no such entry.
DWORD DiskAttributes(Disk& disk, const std::string& path);
// CloseHandle of a file handle of the disk: true when the disk knew it (and closed it).
bool CloseDiskHandle(Disk& disk, std::uintptr_t handle);

}  // namespace sim
