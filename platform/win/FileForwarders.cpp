// The real platform's files, folders and access control: every function forwards to
// the Win32 function of the same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

HRESULT SHGetFolderPathA(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPSTR pszPath) {
    return ::SHGetFolderPathA(hwnd, csidl, hToken, dwFlags, pszPath);
}
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
    return ::CreateDirectoryA(lpPathName, lpSecurityAttributes);
}
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    return ::CreateFileA(lpFileName, dwDesiredAccess, dwShareMode, lpSecurityAttributes,
                         dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}
BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    return ::GetFileInformationByHandle(hFile, lpFileInformation);
}
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    return ::GetFileSize(hFile, lpFileSizeHigh);
}
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    return ::ReadFile(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, lpOverlapped);
}
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    return ::WriteFile(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten,
                       lpOverlapped);
}
BOOL FlushFileBuffers(HANDLE hFile) {
    return ::FlushFileBuffers(hFile);
}
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    return ::MoveFileExA(lpExistingFileName, lpNewFileName, dwFlags);
}
BOOL DeleteFileA(LPCSTR lpFileName) {
    return ::DeleteFileA(lpFileName);
}
HLOCAL LocalFree(HLOCAL hMem) {
    return ::LocalFree(hMem);
}
void Sleep(DWORD dwMilliseconds) {
    ::Sleep(dwMilliseconds);
}
BOOL GetVolumeInformationA(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
                           LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength,
                           LPDWORD lpFileSystemFlags, LPSTR lpFileSystemNameBuffer,
                           DWORD nFileSystemNameSize) {
    return ::GetVolumeInformationA(lpRootPathName, lpVolumeNameBuffer, nVolumeNameSize,
                                   lpVolumeSerialNumber, lpMaximumComponentLength,
                                   lpFileSystemFlags, lpFileSystemNameBuffer, nFileSystemNameSize);
}
void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    ::GetSystemTime(lpSystemTime);
}

BOOL ConvertStringSecurityDescriptorToSecurityDescriptorA(LPCSTR StringSecurityDescriptor,
                                                          DWORD StringSDRevision,
                                                          PSECURITY_DESCRIPTOR* SecurityDescriptor,
                                                          PULONG SecurityDescriptorSize) {
    return ::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        StringSecurityDescriptor, StringSDRevision, SecurityDescriptor, SecurityDescriptorSize);
}
BOOL ConvertSecurityDescriptorToStringSecurityDescriptorA(PSECURITY_DESCRIPTOR SecurityDescriptor,
                                                          DWORD RequestedStringSDRevision,
                                                          SECURITY_INFORMATION SecurityInformation,
                                                          LPSTR* StringSecurityDescriptor,
                                                          PULONG StringSecurityDescriptorLen) {
    return ::ConvertSecurityDescriptorToStringSecurityDescriptorA(
        SecurityDescriptor, RequestedStringSDRevision, SecurityInformation,
        StringSecurityDescriptor, StringSecurityDescriptorLen);
}
DWORD GetSecurityInfo(HANDLE handle, SE_OBJECT_TYPE ObjectType, SECURITY_INFORMATION SecurityInfo,
                      PSID* ppsidOwner, PSID* ppsidGroup, PACL* ppDacl, PACL* ppSacl,
                      PSECURITY_DESCRIPTOR* ppSecurityDescriptor) {
    return ::GetSecurityInfo(handle, ObjectType, SecurityInfo, ppsidOwner, ppsidGroup, ppDacl,
                             ppSacl, ppSecurityDescriptor);
}

}  // namespace plat
