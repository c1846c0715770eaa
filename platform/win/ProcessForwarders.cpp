// The real platform's calls for starting the companion and waiting for it: each
// forwards to the Win32 function of the same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    return ::GetModuleFileNameA(hModule, lpFilename, nSize);
}
BOOL ShellExecuteExA(LPSHELLEXECUTEINFOA pExecInfo) {
    return ::ShellExecuteExA(pExecInfo);
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
