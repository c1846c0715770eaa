// What the undo journal's lock and its replace rely on, checked on the simulated disk
// (the native suite) and on real files (the Wine suite): a file opened without sharing
// refuses every other opener with ERROR_SHARING_VIOLATION until it is closed, and
// MoveFileEx does not replace a file another handle holds open, even one that shares
// deleting, but does once it is closed.
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

namespace {

const std::string kFolder = "C:\\ProgramData\\quorvin-sharing-check";

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    return plat::CreateFileA(path.c_str(), access, share, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool MakeFile(const std::string& path) {
    const HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool wrote = plat::WriteFile(file, "x", 1, &written, nullptr) && written == 1;
    return plat::CloseHandle(file) && wrote;
}

TEST(FileSharingAgreement, AnUnsharedLockAndAReplaceOfAnOpenFile) {
    plat::CreateDirectoryA(kFolder.c_str(), nullptr);  // there already on a second run
    const std::string lock = kFolder + "\\lock";
    const HANDLE held = Open(lock, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const HANDLE second = Open(lock, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
    EXPECT_EQ(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    ASSERT_TRUE(plat::CloseHandle(held));
    const HANDLE after = Open(lock, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
    ASSERT_NE(after, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(plat::CloseHandle(after));

    const std::string target = kFolder + "\\journal";
    const std::string temp = kFolder + "\\journal.tmp";
    ASSERT_TRUE(MakeFile(target));
    ASSERT_TRUE(MakeFile(temp));
    const HANDLE reader =
        Open(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
             OPEN_EXISTING);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    EXPECT_FALSE(plat::MoveFileExA(temp.c_str(), target.c_str(), flags));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(plat::CloseHandle(reader));
    EXPECT_TRUE(plat::MoveFileExA(temp.c_str(), target.c_str(), flags));
    EXPECT_TRUE(plat::DeleteFileA(target.c_str()));
    plat::DeleteFileA(lock.c_str());
}

}  // namespace
