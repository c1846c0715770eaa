#include "journal/JournalStore.h"

#include <memory>
#include <utility>

#include "journal/AdminOnlyAccess.h"
#include "journal/JournalFiles.h"
#include "journal/JournalLock.h"
#include "platform/Platform.h"

namespace journal {

namespace {

struct Checked {
    bool exists = false;
    std::string problem;  // empty: usable
};

std::string ProgramDataFolder() {
    char path[MAX_PATH] = {};
    if (plat::SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) !=
        S_OK) {
        return {};
    }
    path[MAX_PATH - 1] = '\0';
    return path;
}

}  // namespace

std::string JournalFolder() {
    const std::string programData = ProgramDataFolder();
    return programData.empty() ? std::string() : programData + "\\" + kJournalFolderName;
}

namespace {

// The owner and access list of an open file or folder, checked.
std::string CheckSecurity(HANDLE handle) {
    constexpr SECURITY_INFORMATION kWanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (plat::GetSecurityInfo(handle, SE_FILE_OBJECT, kWanted, &owner, nullptr, &dacl, nullptr,
                              &descriptor) != ERROR_SUCCESS) {
        return "its access list could not be read";
    }
    const LocalBlock ownedDescriptor(descriptor);
    LPSTR text = nullptr;
    if (!plat::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                                    kWanted, &text, nullptr) ||
        text == nullptr) {
        return "its access list could not be read";
    }
    const LocalBlock ownedText(text);
    return WhyNotAdminOnly(text);
}

// Opens the entry itself, never a link's target, and checks that it is what is expected,
// no link, and writable by administrators alone. The handle is kept open for reading,
// shared for deleting too, so that it never makes another program's replace of the
// journal fail on a sharing violation.
Checked OpenChecked(const std::string& path, bool folder, std::unique_ptr<FileHandle>& opened) {
    Checked checked;
    const DWORD attributes = plat::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return checked;
    }
    checked.exists = true;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        checked.problem = "it is a link to another place";
        return checked;
    }
    if (((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) {
        checked.problem = folder ? "it is a file, not a folder" : "it is a folder, not a file";
        return checked;
    }
    const DWORD access = READ_CONTROL | FILE_READ_ATTRIBUTES | (folder ? 0 : GENERIC_READ);
    const DWORD flags = FILE_FLAG_OPEN_REPARSE_POINT | (folder ? FILE_FLAG_BACKUP_SEMANTICS : 0);
    auto handle = std::make_unique<FileHandle>(plat::CreateFileA(
        path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, flags, nullptr));
    if (!handle->valid()) {
        checked.problem = "it could not be opened";
        return checked;
    }
    // Checked again on the open entry: it may have been swapped since the first look.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!plat::GetFileInformationByHandle(handle->get(), &info)) {
        checked.problem = "it could not be examined";
        return checked;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
        ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) {
        checked.problem = "it is a link to another place";
        return checked;
    }
    checked.problem = CheckSecurity(handle->get());
    if (checked.problem.empty()) {
        opened = std::move(handle);
    }
    return checked;
}

}  // namespace

LocalBlock AdminOnlyFileDescriptor() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!plat::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            kAdminOnlyFileSddl, SDDL_REVISION_1, &descriptor, nullptr)) {
        return nullptr;
    }
    return LocalBlock(descriptor);
}

namespace {

void CreateAdminOnlyFolder(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!plat::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            kAdminOnlyFolderSddl, SDDL_REVISION_1, &descriptor, nullptr)) {
        return;
    }
    const LocalBlock owned(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    // A failure shows in the check that follows.
    plat::CreateDirectoryA(path.c_str(), &attributes);
}

std::string Refusal(const std::string& path, const std::string& why) {
    return "The undo journal cannot be used safely: " + path + " is refused because " + why +
           ". Nothing was read from it or written to it; an administrator should remove it.";
}

// The journal's folder, made when absent and create is set; checked either way.
// Empty problem and the path on success; exists false when absent.
Checked UsableFolder(bool create, std::string& folder) {
    folder = JournalFolder();
    if (folder.empty()) {
        return {true, "The program-data folder of this machine could not be found."};
    }
    if (std::string notKept = JournalNotKeptHere(); !notKept.empty()) {
        return {true, std::move(notKept)};
    }
    std::unique_ptr<FileHandle> handle;
    Checked checked = OpenChecked(folder, true, handle);
    if (!checked.exists && create) {
        CreateAdminOnlyFolder(folder);
        checked = OpenChecked(folder, true, handle);
        if (!checked.exists) {
            return {true, "The folder " + folder + " for the undo journal could not be created."};
        }
    }
    if (!checked.problem.empty()) {
        checked.problem = Refusal(folder, checked.problem);
    }
    return checked;
}

bool WriteAll(HANDLE file, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        DWORD count = 0;
        if (!plat::WriteFile(file, text.data() + written, static_cast<DWORD>(text.size() - written),
                             &count, nullptr) ||
            count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

}  // namespace

std::string JournalNotKeptHere() {
    const std::string programData = ProgramDataFolder();
    // A drive's root ("C:\\"); a folder elsewhere (a network path) is left to the checks.
    if (programData.size() < 3 || programData[1] != ':' || programData[2] != '\\') {
        return {};
    }
    const std::string root = programData.substr(0, 3);
    DWORD flags = 0;
    char fileSystem[MAX_PATH + 1] = {};
    if (!plat::GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, fileSystem,
                                     sizeof fileSystem)) {
        return {};  // unknown: the folder's and file's own checks decide
    }
    if ((flags & FS_PERSISTENT_ACLS) != 0) {
        return {};
    }
    return "No undo journal is kept on this computer: drive " + root.substr(0, 2) + " uses the " +
           (fileSystem[0] != '\0' ? std::string(fileSystem) : "FAT") +
           " file system, which has no access permissions, so the journal could not be kept "
           "safe from other users. Changes are made without an undo record.";
}

std::string UsableJournalFolder(bool create, std::string& folder) {
    return UsableFolder(create, folder).problem;
}

std::string JournalPath() {
    const std::string folder = JournalFolder();
    return folder.empty() ? std::string() : folder + "\\" + kJournalFileName;
}

LoadedJournal LoadJournal() {
    LoadedJournal loaded;
    std::string folder;
    const Checked usable = UsableFolder(false, folder);
    if (!usable.problem.empty()) {
        loaded.message = usable.problem;
        return loaded;
    }
    if (!usable.exists) {
        loaded.ok = true;
        return loaded;
    }
    const std::string path = folder + "\\" + kJournalFileName;
    std::unique_ptr<FileHandle> file;
    const Checked checked = OpenChecked(path, false, file);
    if (!checked.exists) {
        loaded.ok = true;
        return loaded;
    }
    if (!checked.problem.empty()) {
        loaded.message = Refusal(path, checked.problem);
        return loaded;
    }
    const DWORD size = plat::GetFileSize(file->get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kMaxJournalBytes) {
        loaded.message = "The undo journal " + path + " is damaged: it is too large.";
        return loaded;
    }
    std::string text(size, '\0');
    DWORD read = 0;
    if (size > 0 &&
        (!plat::ReadFile(file->get(), text.data(), size, &read, nullptr) || read != size)) {
        loaded.message = "The undo journal " + path + " could not be read.";
        return loaded;
    }
    ParsedJournal parsed = ParseJournal(text);
    if (!parsed.ok) {
        loaded.message = "The undo journal " + path + " is damaged (" + parsed.error +
                         "), so it is not used: nothing was undone or changed.";
        return loaded;
    }
    loaded.ok = true;
    loaded.journal = std::move(parsed.journal);
    return loaded;
}

std::string SaveJournal(const Journal& journal) {
    const std::string text = FormatJournal(journal);
    if (text.size() > kMaxJournalBytes) {
        return "The undo journal is full.";
    }
    std::string folder;
    const Checked usable = UsableFolder(true, folder);
    if (!usable.problem.empty()) {
        return usable.problem;
    }
    const std::string path = folder + "\\" + kJournalFileName;
    const std::string temp = folder + "\\" + kJournalTempName;
    {
        // A journal that is there must pass the checks before it is replaced.
        std::unique_ptr<FileHandle> existing;
        const Checked checked = OpenChecked(path, false, existing);
        if (!checked.problem.empty()) {
            return Refusal(path, checked.problem);
        }
    }
    // What a crash left behind goes first; a new file is made, never an old one reused.
    plat::DeleteFileA(temp.c_str());
    const std::string failed = "The undo journal " + path + " could not be written.";
    {
        const LocalBlock descriptor = AdminOnlyFileDescriptor();
        if (!descriptor) {
            return failed;
        }
        SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
        FileHandle file(plat::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr));
        if (!file.valid()) {
            return failed;
        }
        if (!WriteAll(file.get(), text) || !plat::FlushFileBuffers(file.get()) || !file.Close()) {
            file.Close();
            plat::DeleteFileA(temp.c_str());
            return failed;
        }
    }
    // MoveFileEx does not replace a file that is open, even one opened with
    // FILE_SHARE_DELETE: a reader of another program (status) holds it for a moment,
    // so the rename is tried again for a while.
    for (DWORD waited = 0;; waited += kJournalWaitStepMs) {
        if (plat::MoveFileExA(temp.c_str(), path.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
        const DWORD error = plat::GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            waited >= kJournalReplaceWaitMs) {
            plat::DeleteFileA(temp.c_str());
            return failed;
        }
        plat::Sleep(kJournalWaitStepMs);
    }
}

}  // namespace journal
