// Files, folders, security descriptors and the clock, as the seam answers them from the
// current machine's disk (SimDisk.h). Failures set the last-error code Windows sets
// (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS,
// ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER). GetFileAttributesA and
// CloseHandle, shared with the system's files and processes, consult the disk from SimFiles.cpp and
// SimPrograms.cpp.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/Platform.h"
#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimText.h"

using sim::Disk;
using sim::DiskEntry;

namespace {

constexpr std::uintptr_t kHandleStep = sim::kHandleStep;
constexpr DWORD kWriteAccess = GENERIC_WRITE;
constexpr DWORD kErrorBadLength = 24;  // ERROR_BAD_LENGTH: a name buffer too small

// Enters the call into the log and faults, and stops the machine when a crash is due.
template <typename Args>
bool Enter(const char* op, const Args& args) {
    if (sim::EnterCall(op, args)) {
        return true;
    }
    if (sim::Current().disk().CountCall()) {
        throw sim::Crashed();
    }
    return false;
}

// A block handed out by the platform that LocalFree releases.
std::uintptr_t NewLocalBlock(Disk& disk, std::string bytes) {
    const std::uintptr_t value = disk.nextLocal;
    disk.nextLocal += kHandleStep;
    disk.localBlocks[value] = std::make_unique<std::string>(std::move(bytes));
    return value;
}

const std::string* FindLocalBlock(const Disk& disk, const void* block) {
    const auto found = disk.localBlocks.find(sim::HandleValue(block));
    return found == disk.localBlocks.end() ? nullptr : found->second.get();
}

// "O:<sid>" when present, then "D:..." when present, from an SDDL text.
std::pair<std::string, std::string> SplitSddl(const std::string& sddl) {
    std::string owner;
    std::string dacl;
    std::size_t at = 0;
    if (sddl.rfind("O:", 0) == 0) {
        const std::size_t end = sddl.find("D:", 2);
        owner = sddl.substr(2, end == std::string::npos ? std::string::npos : end - 2);
        at = end == std::string::npos ? sddl.size() : end;
    }
    if (sddl.compare(at, 2, "D:") == 0) {
        dacl = sddl.substr(at);
    }
    return {owner, dacl};
}

std::string PathArg(LPCSTR path) {
    return sim::TextArg(path);
}

// The kinds of access sharing is about: reading, writing and deleting the file.
constexpr DWORD kReadAccess = GENERIC_READ | 0x0001u | 0x0020u;  // FILE_READ_DATA, FILE_EXECUTE
constexpr DWORD kWriteDataAccess = GENERIC_WRITE | 0x0002u | 0x0004u;  // _WRITE_DATA, _APPEND_DATA
constexpr DWORD kGenericAll = 0x10000000u;

DWORD SharedKinds(DWORD access) {
    DWORD kinds = 0;
    if ((access & (kReadAccess | kGenericAll)) != 0) {
        kinds |= FILE_SHARE_READ;
    }
    if ((access & (kWriteDataAccess | kGenericAll)) != 0) {
        kinds |= FILE_SHARE_WRITE;
    }
    if ((access & (DELETE | kGenericAll)) != 0) {
        kinds |= FILE_SHARE_DELETE;
    }
    return kinds;
}

// Whether an open with this access and share mode conflicts with a handle open on path.
bool SharingConflict(const Disk& disk, const std::string& path, DWORD access, DWORD share) {
    for (const auto& [value, open] : disk.handles) {
        if (Disk::KeyOf(open.path) != Disk::KeyOf(path)) {
            continue;
        }
        if ((SharedKinds(access) & ~open.share) != 0 || (SharedKinds(open.access) & ~share) != 0) {
            return true;
        }
    }
    return false;
}

// Whether a handle is open on path; with unsharedDelete, one that does not share deleting.
bool OpenOn(const Disk& disk, const std::string& path, bool unsharedDelete) {
    for (const auto& [value, open] : disk.handles) {
        if (Disk::KeyOf(open.path) == Disk::KeyOf(path) &&
            (!unsharedDelete || (open.share & FILE_SHARE_DELETE) == 0)) {
            return true;
        }
    }
    return false;
}

Disk::OpenFile* FindHandle(Disk& disk, HANDLE handle) {
    const auto found = disk.handles.find(sim::HandleValue(handle));
    return found == disk.handles.end() ? nullptr : &found->second;
}

}  // namespace

namespace plat {

HRESULT SHGetFolderPathA(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPSTR pszPath) {
    Disk& disk = sim::Current().disk();
    if (Enter("SHGetFolderPathA", [&] {
            return "hwnd=" + sim::HandleArg(hwnd) +
                   " csidl=" + sim::HexNumber(static_cast<unsigned long>(csidl)) +
                   " token=" + sim::HandleArg(hToken) + " flags=" + sim::HexNumber(dwFlags);
        })) {
        return static_cast<HRESULT>(0x80004005);  // E_FAIL
    }
    if (csidl != CSIDL_COMMON_APPDATA || pszPath == nullptr || disk.programDataQueryFails ||
        disk.programData.size() >= MAX_PATH) {
        return static_cast<HRESULT>(0x80004005);
    }
    std::memcpy(pszPath, disk.programData.c_str(), disk.programData.size() + 1);
    return S_OK;
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
    Disk& disk = sim::Current().disk();
    if (Enter("CreateDirectoryA", [&] {
            return "path=" + PathArg(lpPathName) +
                   " security=" + (lpSecurityAttributes == nullptr ? "null" : "set");
        })) {
        return FALSE;
    }
    if (lpPathName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const std::string path = disk.Resolve(lpPathName, false);
    const DiskEntry* parent = disk.Find(Disk::ParentOf(path));
    if (!path.empty() && disk.Exists(path)) {
        return sim::Fail(ERROR_ALREADY_EXISTS, FALSE);
    }
    if (path.empty() || parent == nullptr || !parent->folder) {
        return sim::Fail(ERROR_PATH_NOT_FOUND, FALSE);
    }
    std::string owner = disk.processOwner;
    std::string dacl = parent->dacl;
    if (lpSecurityAttributes != nullptr && lpSecurityAttributes->lpSecurityDescriptor != nullptr) {
        const std::string* block = FindLocalBlock(disk, lpSecurityAttributes->lpSecurityDescriptor);
        if (block == nullptr) {
            return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
        }
        const auto [named, ownDacl] = SplitSddl(*block);
        owner = named.empty() ? owner : named;
        dacl = ownDacl;
    }
    disk.AddFolder(path, owner, dacl);
    return TRUE;
}

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    Disk& disk = sim::Current().disk();
    if (Enter("CreateFileA", [&] {
            return "path=" + PathArg(lpFileName) + " access=" + sim::HexNumber(dwDesiredAccess) +
                   " share=" + sim::HexNumber(dwShareMode) +
                   " security=" + (lpSecurityAttributes == nullptr ? "null" : "set") +
                   " disposition=" + std::to_string(dwCreationDisposition) +
                   " flags=" + sim::HexNumber(dwFlagsAndAttributes) +
                   " template=" + sim::HandleArg(hTemplateFile);
        })) {
        return INVALID_HANDLE_VALUE;
    }
    if (lpFileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    const bool followLast = (dwFlagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) == 0;
    const std::string path = disk.Resolve(lpFileName, followLast);
    DiskEntry* entry = path.empty() ? nullptr : disk.Find(path);
    if (entry != nullptr && entry->folder &&
        (dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) == 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    const DiskEntry* folder = path.empty() ? nullptr : disk.Find(Disk::ParentOf(path));
    const DWORD notThere =
        folder != nullptr && folder->folder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    if (entry != nullptr && SharingConflict(disk, path, dwDesiredAccess, dwShareMode)) {
        return sim::Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
    }
    if (dwCreationDisposition == OPEN_ALWAYS) {
        dwCreationDisposition = entry != nullptr ? OPEN_EXISTING : CREATE_NEW;
    }
    switch (dwCreationDisposition) {
        case OPEN_EXISTING:
            if (entry == nullptr) {
                return sim::Fail(notThere, INVALID_HANDLE_VALUE);
            }
            break;
        case CREATE_NEW:
        case CREATE_ALWAYS: {
            if (path.empty() || folder == nullptr || !folder->folder) {
                return sim::Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
            }
            if (entry != nullptr && entry->folder) {
                return sim::Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
            }
            if (entry != nullptr && dwCreationDisposition == CREATE_NEW) {
                return sim::Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
            }
            if (entry == nullptr) {
                // A new file takes the descriptor given, its owner defaulting to the
                // process's; without one, the default owner and the folder's list.
                std::string owner = disk.processOwner;
                std::string dacl = folder->dacl;
                if (lpSecurityAttributes != nullptr &&
                    lpSecurityAttributes->lpSecurityDescriptor != nullptr) {
                    const std::string* block =
                        FindLocalBlock(disk, lpSecurityAttributes->lpSecurityDescriptor);
                    if (block == nullptr) {
                        return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
                    }
                    const auto [named, ownDacl] = SplitSddl(*block);
                    owner = named.empty() ? owner : named;
                    dacl = ownDacl;
                }
                disk.AddFile(path, "", owner, dacl);
                entry = disk.Find(path);
            }
            // Truncated now; the truncation is durable only once flushed.
            entry->content.clear();
            break;
        }
        default:
            return sim::Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    const std::uintptr_t value = disk.nextHandle;
    disk.nextHandle += kHandleStep;
    disk.handles[value] = Disk::OpenFile{path, dwDesiredAccess, 0, dwShareMode};
    return sim::MakeHandle<HANDLE>(value);
}

BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    Disk& disk = sim::Current().disk();
    if (Enter("GetFileInformationByHandle", [&] { return "file=" + sim::HandleArg(hFile); })) {
        return FALSE;
    }
    const Disk::OpenFile* file = FindHandle(disk, hFile);
    const DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (lpFileInformation == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    *lpFileInformation = BY_HANDLE_FILE_INFORMATION{};
    lpFileInformation->dwFileAttributes = sim::AttributesOf(*entry);
    lpFileInformation->nFileSizeLow = static_cast<DWORD>(entry->content.size());
    lpFileInformation->nNumberOfLinks = 1;
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    Disk& disk = sim::Current().disk();
    if (Enter("GetFileSize", [&] { return "file=" + sim::HandleArg(hFile); })) {
        return INVALID_FILE_SIZE;
    }
    const Disk::OpenFile* file = FindHandle(disk, hFile);
    const DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    }
    if (lpFileSizeHigh != nullptr) {
        *lpFileSizeHigh = 0;
    }
    return static_cast<DWORD>(entry->content.size());
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    Disk& disk = sim::Current().disk();
    if (Enter("ReadFile", [&] {
            return "file=" + sim::HandleArg(hFile) +
                   " size=" + std::to_string(nNumberOfBytesToRead);
        })) {
        return FALSE;
    }
    Disk::OpenFile* file = FindHandle(disk, hFile);
    const DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (entry->folder || (file->access & GENERIC_READ) == 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (lpBuffer == nullptr || lpOverlapped != nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const std::size_t available =
        entry->content.size() - std::min(file->position, entry->content.size());
    const std::size_t count = std::min<std::size_t>(available, nNumberOfBytesToRead);
    std::memcpy(lpBuffer, entry->content.data() + file->position, count);
    file->position += count;
    if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = static_cast<DWORD>(count);
    }
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    Disk& disk = sim::Current().disk();
    if (Enter("WriteFile", [&] {
            return "file=" + sim::HandleArg(hFile) +
                   " size=" + std::to_string(nNumberOfBytesToWrite);
        })) {
        return FALSE;
    }
    Disk::OpenFile* file = FindHandle(disk, hFile);
    DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if (entry->folder || (file->access & kWriteAccess) == 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (lpBuffer == nullptr || lpOverlapped != nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const char* bytes = static_cast<const char*>(lpBuffer);
    if (entry->content.size() < file->position) {
        entry->content.resize(file->position, '\0');
    }
    entry->content.replace(file->position, nNumberOfBytesToWrite, bytes, nNumberOfBytesToWrite);
    file->position += nNumberOfBytesToWrite;
    if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = nNumberOfBytesToWrite;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
    Disk& disk = sim::Current().disk();
    if (Enter("FlushFileBuffers", [&] { return "file=" + sim::HandleArg(hFile); })) {
        return FALSE;
    }
    const Disk::OpenFile* file = FindHandle(disk, hFile);
    DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr) {
        return sim::Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    if ((file->access & kWriteAccess) == 0) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    entry->durable = entry->content;
    return TRUE;
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    Disk& disk = sim::Current().disk();
    if (Enter("MoveFileExA", [&] {
            return "from=" + PathArg(lpExistingFileName) + " to=" + PathArg(lpNewFileName) +
                   " flags=" + sim::HexNumber(dwFlags);
        })) {
        return FALSE;
    }
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    // A rename acts on the names given: links on their last component are moved or
    // replaced, not followed.
    const std::string from = disk.Resolve(lpExistingFileName, false);
    const std::string to = disk.Resolve(lpNewFileName, false);
    const DiskEntry* source = disk.Find(from);
    const DiskEntry* target = disk.Find(to);
    const DiskEntry* folder = disk.Find(Disk::ParentOf(to));
    if (source == nullptr) {
        const DiskEntry* sourceFolder = disk.Find(Disk::ParentOf(from));
        return sim::Fail(sourceFolder != nullptr && sourceFolder->folder ? ERROR_FILE_NOT_FOUND
                                                                         : ERROR_PATH_NOT_FOUND,
                         FALSE);
    }
    if (folder == nullptr || !folder->folder) {
        return sim::Fail(ERROR_PATH_NOT_FOUND, FALSE);
    }
    if (target != nullptr && (dwFlags & MOVEFILE_REPLACE_EXISTING) == 0) {
        return sim::Fail(ERROR_ALREADY_EXISTS, FALSE);
    }
    if (target != nullptr && (target->folder || source->folder)) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (OpenOn(disk, from, true)) {
        return sim::Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    if (target != nullptr && OpenOn(disk, to, false)) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    Disk::PendingRename rename{from, to, std::nullopt};
    if (target != nullptr) {
        rename.replaced = *target;
    }
    const DiskEntry moved = *source;
    disk.entries.erase(Disk::KeyOf(from));
    disk.entries[Disk::KeyOf(to)] = moved;
    for (auto& [value, file] : disk.handles) {
        if (Disk::KeyOf(file.path) == Disk::KeyOf(from)) {
            file.path = to;
        }
    }
    if ((dwFlags & MOVEFILE_WRITE_THROUGH) == 0) {
        disk.pendingRenames.push_back(std::move(rename));
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName) {
    Disk& disk = sim::Current().disk();
    if (Enter("DeleteFileA", [&] { return "path=" + PathArg(lpFileName); })) {
        return FALSE;
    }
    if (lpFileName == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const std::string path = disk.Resolve(lpFileName, false);
    const DiskEntry* entry = disk.Find(path);
    if (entry == nullptr) {
        const DiskEntry* folder = disk.Find(Disk::ParentOf(path));
        return sim::Fail(
            folder != nullptr && folder->folder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
            FALSE);
    }
    if (entry->folder) {
        return sim::Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (OpenOn(disk, path, true)) {
        return sim::Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    disk.entries.erase(Disk::KeyOf(path));
    return TRUE;
}

HLOCAL LocalFree(HLOCAL hMem) {
    Disk& disk = sim::Current().disk();
    if (sim::EnterCall("LocalFree", [&] { return "block=" + sim::HandleArg(hMem); })) {
        return hMem;
    }
    if (disk.CountCall()) {
        return nullptr;  // the crash released every block
    }
    if (hMem == nullptr) {
        return nullptr;
    }
    return disk.localBlocks.erase(sim::HandleValue(hMem)) == 1 ? nullptr : hMem;
}

void Sleep(DWORD dwMilliseconds) {
    Disk& disk = sim::Current().disk();
    sim::EnterCall("Sleep", [&] { return "ms=" + std::to_string(dwMilliseconds); });
    disk.slept += dwMilliseconds;
    sim::Advance(sim::Current(), dwMilliseconds);  // the clock a bounded wait reads
    if (disk.onSleep) {
        disk.onSleep();
    }
}

BOOL GetVolumeInformationA(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
                           LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength,
                           LPDWORD lpFileSystemFlags, LPSTR lpFileSystemNameBuffer,
                           DWORD nFileSystemNameSize) {
    Disk& disk = sim::Current().disk();
    if (Enter("GetVolumeInformationA", [&] {
            return "root=" + PathArg(lpRootPathName) + " names=" + std::to_string(nVolumeNameSize) +
                   "," + std::to_string(nFileSystemNameSize);
        })) {
        return FALSE;
    }
    // The machine has one volume, C:, named by its root with the closing backslash.
    if (lpRootPathName == nullptr || !sim::EqualNoCase(lpRootPathName, "C:\\")) {
        return sim::Fail(lpRootPathName == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_NAME,
                         FALSE);
    }
    const auto copy = [](LPSTR buffer, DWORD size, const std::string& text) {
        if (buffer == nullptr) {
            return true;
        }
        if (text.size() + 1 > size) {
            return false;
        }
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        return true;
    };
    if (!copy(lpVolumeNameBuffer, nVolumeNameSize, "") ||
        !copy(lpFileSystemNameBuffer, nFileSystemNameSize, disk.fileSystemName)) {
        return sim::Fail(kErrorBadLength, FALSE);
    }
    if (lpVolumeSerialNumber != nullptr) {
        *lpVolumeSerialNumber = 0x5A3C19E0u;
    }
    if (lpMaximumComponentLength != nullptr) {
        *lpMaximumComponentLength = 255;
    }
    if (lpFileSystemFlags != nullptr) {
        *lpFileSystemFlags = disk.fileSystemFlags;
    }
    return TRUE;
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    Disk& disk = sim::Current().disk();
    // The platform's call cannot fail, so an injected fault changes nothing here.
    sim::EnterCall("GetSystemTime", [] { return std::string(); });
    if (lpSystemTime != nullptr) {
        *lpSystemTime = disk.now;
    }
}

BOOL ConvertStringSecurityDescriptorToSecurityDescriptorA(LPCSTR StringSecurityDescriptor,
                                                          DWORD StringSDRevision,
                                                          PSECURITY_DESCRIPTOR* SecurityDescriptor,
                                                          PULONG SecurityDescriptorSize) {
    Disk& disk = sim::Current().disk();
    if (Enter("ConvertStringSecurityDescriptorToSecurityDescriptorA", [&] {
            return "sddl=" + sim::TextArg(StringSecurityDescriptor) +
                   " revision=" + std::to_string(StringSDRevision);
        })) {
        return FALSE;
    }
    if (StringSecurityDescriptor == nullptr || SecurityDescriptor == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (StringSDRevision != SDDL_REVISION_1) {
        return sim::Fail(ERROR_UNKNOWN_REVISION, FALSE);
    }
    const std::string sddl = StringSecurityDescriptor;
    *SecurityDescriptor = sim::MakeHandle<PSECURITY_DESCRIPTOR>(NewLocalBlock(disk, sddl));
    if (SecurityDescriptorSize != nullptr) {
        *SecurityDescriptorSize = static_cast<ULONG>(20 + sddl.size());
    }
    return TRUE;
}

BOOL ConvertSecurityDescriptorToStringSecurityDescriptorA(PSECURITY_DESCRIPTOR SecurityDescriptor,
                                                          DWORD RequestedStringSDRevision,
                                                          SECURITY_INFORMATION SecurityInformation,
                                                          LPSTR* StringSecurityDescriptor,
                                                          PULONG StringSecurityDescriptorLen) {
    Disk& disk = sim::Current().disk();
    if (Enter("ConvertSecurityDescriptorToStringSecurityDescriptorA", [&] {
            return "descriptor=" + sim::HandleArg(SecurityDescriptor) +
                   " revision=" + std::to_string(RequestedStringSDRevision) +
                   " information=" + sim::HexNumber(SecurityInformation);
        })) {
        return FALSE;
    }
    const std::string* block = FindLocalBlock(disk, SecurityDescriptor);
    if (block == nullptr || StringSecurityDescriptor == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (RequestedStringSDRevision != SDDL_REVISION_1) {
        return sim::Fail(ERROR_UNKNOWN_REVISION, FALSE);
    }
    const auto [owner, dacl] = SplitSddl(*block);
    std::string text;
    if ((SecurityInformation & OWNER_SECURITY_INFORMATION) != 0 && !owner.empty()) {
        text += "O:" + owner;
    }
    if ((SecurityInformation & DACL_SECURITY_INFORMATION) != 0) {
        text += dacl;
    }
    auto string = std::make_unique<std::string>(text + '\0');
    *StringSecurityDescriptor = string->data();
    disk.localBlocks[sim::HandleValue(string->data())] = std::move(string);
    if (StringSecurityDescriptorLen != nullptr) {
        *StringSecurityDescriptorLen = static_cast<ULONG>(text.size() + 1);
    }
    return TRUE;
}

DWORD GetSecurityInfo(HANDLE handle, SE_OBJECT_TYPE ObjectType, SECURITY_INFORMATION SecurityInfo,
                      PSID* ppsidOwner, PSID* ppsidGroup, PACL* ppDacl, PACL* ppSacl,
                      PSECURITY_DESCRIPTOR* ppSecurityDescriptor) {
    Disk& disk = sim::Current().disk();
    if (Enter("GetSecurityInfo", [&] {
            return "handle=" + sim::HandleArg(handle) + " type=" + std::to_string(ObjectType) +
                   " information=" + sim::HexNumber(SecurityInfo);
        })) {
        return ERROR_ACCESS_DENIED;
    }
    const Disk::OpenFile* file = FindHandle(disk, handle);
    const DiskEntry* entry = file == nullptr ? nullptr : disk.Find(file->path);
    if (entry == nullptr || ObjectType != SE_FILE_OBJECT) {
        return ERROR_INVALID_HANDLE;
    }
    if (ppSecurityDescriptor == nullptr || ppsidGroup != nullptr || ppSacl != nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    std::string sddl;
    if ((SecurityInfo & OWNER_SECURITY_INFORMATION) != 0) {
        sddl += "O:" + entry->owner;
    }
    if ((SecurityInfo & DACL_SECURITY_INFORMATION) != 0) {
        sddl += entry->dacl;
    }
    const std::uintptr_t value = NewLocalBlock(disk, sddl);
    *ppSecurityDescriptor = sim::MakeHandle<PSECURITY_DESCRIPTOR>(value);
    // Owner and DACL point into the descriptor, as the platform's do.
    if (ppsidOwner != nullptr) {
        *ppsidOwner = sim::MakeHandle<PSID>(value + 1);
    }
    if (ppDacl != nullptr) {
        *ppDacl = sim::MakeHandle<PACL>(value + 2);
    }
    return ERROR_SUCCESS;
}

}  // namespace plat
