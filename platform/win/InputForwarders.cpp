// The real platform's input part: each seam function forwards to the Win32 function
// of the same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE pRawInputDevices, UINT uiNumDevices, UINT cbSize) {
    return ::RegisterRawInputDevices(pRawInputDevices, uiNumDevices, cbSize);
}
UINT GetRawInputData(HRAWINPUT hRawInput, UINT uiCommand, LPVOID pData, PUINT pcbSize,
                     UINT cbSizeHeader) {
    return ::GetRawInputData(hRawInput, uiCommand, pData, pcbSize, cbSizeHeader);
}
UINT GetRawInputDeviceInfoA(HANDLE hDevice, UINT uiCommand, LPVOID pData, PUINT pcbSize) {
    return ::GetRawInputDeviceInfoA(hDevice, uiCommand, pData, pcbSize);
}
HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    return ::CreateWindowExA(dwExStyle, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight,
                             hWndParent, hMenu, hInstance, lpParam);
}
BOOL DestroyWindow(HWND hWnd) {
    return ::DestroyWindow(hWnd);
}
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return ::PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}
LRESULT DispatchMessageA(const MSG* lpMsg) {
    return ::DispatchMessageA(lpMsg);
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
    return ::QueryPerformanceCounter(lpPerformanceCount);
}
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
    return ::QueryPerformanceFrequency(lpFrequency);
}
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    return ::WideCharToMultiByte(CodePage, dwFlags, lpWideCharStr, cchWideChar, lpMultiByteStr,
                                 cbMultiByte, lpDefaultChar, lpUsedDefaultChar);
}
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    return ::MultiByteToWideChar(CodePage, dwFlags, lpMultiByteStr, cbMultiByte, lpWideCharStr,
                                 cchWideChar);
}

}  // namespace plat
