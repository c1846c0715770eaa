// The real platform's calls for starting the companion and waiting for it: each
// forwards to the Win32 function of the same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    return ::GetModuleFileNameW(hModule, lpFilename, nSize);
}
BOOL ShellExecuteExW(LPSHELLEXECUTEINFOW pExecInfo) {
    return ::ShellExecuteExW(pExecInfo);
}
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    return ::WaitForSingleObject(hHandle, dwMilliseconds);
}
DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                DWORD dwMilliseconds, DWORD dwWakeMask) {
    return ::MsgWaitForMultipleObjects(nCount, pHandles, fWaitAll, dwMilliseconds, dwWakeMask);
}
DWORD MsgWaitForMultipleObjectsEx(DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds,
                                  DWORD dwWakeMask, DWORD dwFlags) {
    return ::MsgWaitForMultipleObjectsEx(nCount, pHandles, dwMilliseconds, dwWakeMask, dwFlags);
}
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    return ::GetExitCodeProcess(hProcess, lpExitCode);
}
BOOL CloseHandle(HANDLE hObject) {
    return ::CloseHandle(hObject);
}

}  // namespace plat
