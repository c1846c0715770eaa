// The platform seam. device/, config/ and the companion program reach Windows only
// through these functions, which have the Win32 names and signatures.
//
// Which implementation answers them is decided at link time:
//   platform/win/   forwards each call to the real Win32 function (product builds);
//   platform/sim/   answers from an in-memory machine (native tests, the demo build).
// A program links exactly one of the two libraries; nothing else changes.
#pragma once

#include "platform/PlatformInput.h"
#include "platform/WinTypes.h"
// Files, folders and access control (the undo journal's).
#include "platform/PlatformFiles.h"

namespace plat {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// Device-installation services (SetupApi.dll)
HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, PCSTR Enumerator, HWND hwndParent,
                              DWORD Flags);
HDEVINFO SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent);
BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                           PSP_DEVINFO_DATA DeviceInfoData);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet);
BOOL SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, PCSTR DeviceInstanceId, HWND hwndParent,
                            DWORD OpenFlags, PSP_DEVINFO_DATA DeviceInfoData);
BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, PDWORD PropertyRegDataType,
                                       PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                       PDWORD RequiredSize);
BOOL SetupDiSetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, const BYTE* PropertyBuffer,
                                       DWORD PropertyBufferSize);
BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 PSTR DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                 PDWORD RequiredSize);
HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope,
                          DWORD HwProfile, DWORD KeyType, REGSAM samDesired);
BOOL SetupDiSetClassInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                   PSP_CLASSINSTALL_HEADER ClassInstallParams,
                                   DWORD ClassInstallParamsSize);
BOOL SetupDiCallClassInstaller(DI_FUNCTION InstallFunction, HDEVINFO DeviceInfoSet,
                               PSP_DEVINFO_DATA DeviceInfoData);
HINF SetupOpenInfFileW(PCWSTR FileName, PCWSTR InfClass, DWORD InfStyle, PUINT ErrorLine);
void SetupCloseInfFile(HINF InfHandle);
void InstallHinfSectionW(HWND Window, HINSTANCE ModuleHandle, PCWSTR CommandLine, INT ShowCommand);

// Configuration manager (cfgmgr32.dll)
CONFIGRET CM_Get_Device_ID_Size(PULONG pulLen, DEVINST dnDevInst, ULONG ulFlags);
CONFIGRET CM_Get_Device_IDA(DEVINST dnDevInst, PSTR Buffer, ULONG BufferLen, ULONG ulFlags);
CONFIGRET CM_Get_Parent(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);
CONFIGRET CM_Get_Child(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);
CONFIGRET CM_Get_Sibling(PDEVINST pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);

// ole32.dll
BOOL IsEqualGUID(REFGUID rguid1, REFGUID rguid2);

// Registry
LSTATUS RegQueryValueExA(HKEY hKey, PCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegSetValueExA(HKEY hKey, PCSTR lpValueName, DWORD Reserved, DWORD dwType,
                       const BYTE* lpData, DWORD cbData);
LSTATUS RegDeleteValueA(HKEY hKey, PCSTR lpValueName);
LSTATUS RegCloseKey(HKEY hKey);

// Shell
HINSTANCE ShellExecuteA(HWND hwnd, PCSTR lpOperation, PCSTR lpFile, PCSTR lpParameters,
                        PCSTR lpDirectory, INT nShowCmd);

// Version and process information
BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation);
HMODULE GetModuleHandleA(PCSTR lpModuleName);
FARPROC GetProcAddress(HMODULE hModule, PCSTR lpProcName);
HANDLE GetCurrentProcess();

// The calling thread's last-error code, which failing SetupAPI and process calls set.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);
// Loader and files
BOOL SetDllDirectoryA(PCSTR lpPathName);
DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                       LPWSTR* lpFilePart);

}  // namespace plat

// Device state, services, files and the companion's process.
#include "platform/PlatformServices.h"
