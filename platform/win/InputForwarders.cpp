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

}  // namespace plat
