// The real platform: every seam function forwards to the Win32 function of the
// same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, PCSTR Enumerator, HWND hwndParent,
                              DWORD Flags) {
    return ::SetupDiGetClassDevsA(ClassGuid, Enumerator, hwndParent, Flags);
}
HDEVINFO SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent) {
    return ::SetupDiCreateDeviceInfoList(ClassGuid, hwndParent);
}
BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                           PSP_DEVINFO_DATA DeviceInfoData) {
    return ::SetupDiEnumDeviceInfo(DeviceInfoSet, MemberIndex, DeviceInfoData);
}
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
    return ::SetupDiDestroyDeviceInfoList(DeviceInfoSet);
}
BOOL SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, PCSTR DeviceInstanceId, HWND hwndParent,
                            DWORD OpenFlags, PSP_DEVINFO_DATA DeviceInfoData) {
    return ::SetupDiOpenDeviceInfoA(DeviceInfoSet, DeviceInstanceId, hwndParent, OpenFlags,
                                    DeviceInfoData);
}
BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, PDWORD PropertyRegDataType,
                                       PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                       PDWORD RequiredSize) {
    return ::SetupDiGetDeviceRegistryPropertyA(DeviceInfoSet, DeviceInfoData, Property,
                                               PropertyRegDataType, PropertyBuffer,
                                               PropertyBufferSize, RequiredSize);
}
BOOL SetupDiSetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, const BYTE* PropertyBuffer,
                                       DWORD PropertyBufferSize) {
    return ::SetupDiSetDeviceRegistryPropertyA(DeviceInfoSet, DeviceInfoData, Property,
                                               PropertyBuffer, PropertyBufferSize);
}
BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 PSTR DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                 PDWORD RequiredSize) {
    return ::SetupDiGetDeviceInstanceIdA(DeviceInfoSet, DeviceInfoData, DeviceInstanceId,
                                         DeviceInstanceIdSize, RequiredSize);
}
HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope,
                          DWORD HwProfile, DWORD KeyType, REGSAM samDesired) {
    return ::SetupDiOpenDevRegKey(DeviceInfoSet, DeviceInfoData, Scope, HwProfile, KeyType,
                                  samDesired);
}
BOOL SetupDiSetClassInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                   PSP_CLASSINSTALL_HEADER ClassInstallParams,
                                   DWORD ClassInstallParamsSize) {
    return ::SetupDiSetClassInstallParamsA(DeviceInfoSet, DeviceInfoData, ClassInstallParams,
                                           ClassInstallParamsSize);
}
BOOL SetupDiCallClassInstaller(DI_FUNCTION InstallFunction, HDEVINFO DeviceInfoSet,
                               PSP_DEVINFO_DATA DeviceInfoData) {
    return ::SetupDiCallClassInstaller(InstallFunction, DeviceInfoSet, DeviceInfoData);
}
HINF SetupOpenInfFileW(PCWSTR FileName, PCWSTR InfClass, DWORD InfStyle, PUINT ErrorLine) {
    return ::SetupOpenInfFileW(FileName, InfClass, InfStyle, ErrorLine);
}
void SetupCloseInfFile(HINF InfHandle) {
    ::SetupCloseInfFile(InfHandle);
}
void InstallHinfSectionW(HWND Window, HINSTANCE ModuleHandle, PCWSTR CommandLine, INT ShowCommand) {
    ::InstallHinfSectionW(Window, ModuleHandle, CommandLine, ShowCommand);
}

CONFIGRET CM_Get_Device_ID_Size(PULONG pulLen, DEVINST dnDevInst, ULONG ulFlags) {
    return ::CM_Get_Device_ID_Size(pulLen, dnDevInst, ulFlags);
}
CONFIGRET CM_Get_Device_IDA(DEVINST dnDevInst, PSTR Buffer, ULONG BufferLen, ULONG ulFlags) {
    return ::CM_Get_Device_IDA(dnDevInst, Buffer, BufferLen, ulFlags);
}
CONFIGRET CM_Get_Parent(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return ::CM_Get_Parent(pdnDevInst, dnDevInst, ulFlags);
}
CONFIGRET CM_Get_Child(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return ::CM_Get_Child(pdnDevInst, dnDevInst, ulFlags);
}
CONFIGRET CM_Get_Sibling(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags) {
    return ::CM_Get_Sibling(pdnDevInst, dnDevInst, ulFlags);
}

BOOL IsEqualGUID(REFGUID rguid1, REFGUID rguid2) {
    return ::IsEqualGUID(rguid1, rguid2);
}

LSTATUS RegQueryValueExA(HKEY hKey, PCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData) {
    return ::RegQueryValueExA(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}
LSTATUS RegSetValueExA(HKEY hKey, PCSTR lpValueName, DWORD Reserved, DWORD dwType,
                       const BYTE* lpData, DWORD cbData) {
    return ::RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData, cbData);
}
LSTATUS RegDeleteValueA(HKEY hKey, PCSTR lpValueName) {
    return ::RegDeleteValueA(hKey, lpValueName);
}
LSTATUS RegCloseKey(HKEY hKey) {
    return ::RegCloseKey(hKey);
}

HINSTANCE ShellExecuteA(HWND hwnd, PCSTR lpOperation, PCSTR lpFile, PCSTR lpParameters,
                        PCSTR lpDirectory, INT nShowCmd) {
    return ::ShellExecuteA(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    return ::GetVersionExA(lpVersionInformation);
}
HMODULE GetModuleHandleA(PCSTR lpModuleName) {
    return ::GetModuleHandleA(lpModuleName);
}
FARPROC GetProcAddress(HMODULE hModule, PCSTR lpProcName) {
    return ::GetProcAddress(hModule, lpProcName);
}
HANDLE GetCurrentProcess() {
    return ::GetCurrentProcess();
}

DWORD GetLastError() {
    return ::GetLastError();
}
void SetLastError(DWORD dwErrCode) {
    ::SetLastError(dwErrCode);
}
BOOL SetDllDirectoryA(PCSTR lpPathName) {
    return ::SetDllDirectoryA(lpPathName);
}
DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                       LPWSTR* lpFilePart) {
    return ::GetFullPathNameW(lpFileName, nBufferLength, lpBuffer, lpFilePart);
}

}  // namespace plat
