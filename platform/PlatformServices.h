// The seam's second half: what the program asks the platform about the state of a
// device and of the driver service, the files a service points to, and the
// companion program it starts and waits for. Same rules as Platform.h: Win32 names
// and signatures, one implementation per side.
#pragma once

#include "platform/InputTypes.h"
#include "platform/WinTypes.h"

#ifdef _WIN32

#include <winsvc.h>

#else  // stand-ins

struct SC_HANDLE__ {
    int unused;
};
using SC_HANDLE = SC_HANDLE__*;
using LPSC_HANDLE = SC_HANDLE*;
using DEVINSTID_A = char*;
using HSPFILEQ = PVOID;
using PSP_FILE_CALLBACK_A = UINT(CALLBACK*)(PVOID, UINT, UINT_PTR, UINT_PTR);

struct SP_DEVINSTALL_PARAMS_A {
    DWORD cbSize;
    DWORD Flags;
    DWORD FlagsEx;
    HWND hwndParent;
    PSP_FILE_CALLBACK_A InstallMsgHandler;
    PVOID InstallMsgHandlerContext;
    HSPFILEQ FileQueue;
    ULONG_PTR ClassInstallReserved;
    DWORD Reserved;
    CHAR DriverPath[MAX_PATH];
};
using PSP_DEVINSTALL_PARAMS_A = SP_DEVINSTALL_PARAMS_A*;

struct QUERY_SERVICE_CONFIGA {
    DWORD dwServiceType;
    DWORD dwStartType;
    DWORD dwErrorControl;
    LPSTR lpBinaryPathName;
    LPSTR lpLoadOrderGroup;
    DWORD dwTagId;
    LPSTR lpDependencies;
    LPSTR lpServiceStartName;
    LPSTR lpDisplayName;
};
using LPQUERY_SERVICE_CONFIGA = QUERY_SERVICE_CONFIGA*;

struct SERVICE_STATUS {
    DWORD dwServiceType;
    DWORD dwCurrentState;
    DWORD dwControlsAccepted;
    DWORD dwWin32ExitCode;
    DWORD dwServiceSpecificExitCode;
    DWORD dwCheckPoint;
    DWORD dwWaitHint;
};
using LPSERVICE_STATUS = SERVICE_STATUS*;

struct SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCWSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;  // a union with hMonitor in the SDK
    HANDLE hProcess;
};
using LPSHELLEXECUTEINFOW = SHELLEXECUTEINFOW*;

// Configuration manager: device node status and problems
#define CM_LOCATE_DEVNODE_NORMAL 0x00000000
#define CR_NO_SUCH_DEVINST 0x0000000D
#define DN_DRIVER_LOADED 0x00000002
#define DN_STARTED 0x00000008
#define DN_DISABLEABLE 0x00002000
#define DN_HAS_PROBLEM 0x00000400
#define CM_PROB_FAILED_START 0x0000000A
#define CM_PROB_NEED_RESTART 0x0000000E
#define CM_PROB_DISABLED 0x00000016
#define CM_PROB_FAILED_INSTALL 0x0000001C
#define CM_PROB_DISABLED_SERVICE 0x00000020
#define CM_PROB_DRIVER_FAILED_LOAD 0x00000027
#define CM_PROB_FAILED_POST_START 0x0000002B

// Device installation parameters
#define DI_NEEDRESTART 0x00000080
#define DI_NEEDREBOOT 0x00000100

// Service control manager
#define SC_MANAGER_CONNECT 0x0001
#define SERVICE_QUERY_CONFIG 0x0001
#define SERVICE_QUERY_STATUS 0x0004
#define SERVICE_KERNEL_DRIVER 0x00000001
#define SERVICE_BOOT_START 0x00000000
#define SERVICE_SYSTEM_START 0x00000001
#define SERVICE_AUTO_START 0x00000002
#define SERVICE_DEMAND_START 0x00000003
#define SERVICE_DISABLED 0x00000004
#define SERVICE_ERROR_NORMAL 0x00000001
#define SERVICE_STOPPED 0x00000001
#define SERVICE_START_PENDING 0x00000002
#define SERVICE_RUNNING 0x00000004

// Last-error codes of the service manager and the file calls
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_FILE_EXISTS 80L
#define ERROR_CALL_NOT_IMPLEMENTED 120L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_UNKNOWN_REVISION 1305L
#define ERROR_SERVICE_DOES_NOT_EXIST 1060L
#define RPC_S_SERVER_UNAVAILABLE 1722L

// Files
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020

// Processes and waiting
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_FLAG_NO_UI 0x00000400
#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000
#define WAIT_TIMEOUT 0x00000102
#define WAIT_FAILED 0xFFFFFFFF
#define QS_ALLINPUT 0x04FF
#define MWMO_INPUTAVAILABLE 0x0004
#define STILL_ACTIVE 0x00000103

#endif  // _WIN32

namespace plat {

// Looked up at run time in kernel32.dll: Windows XP x64 and Server 2003 SP1 have
// them, 32-bit XP does not, so the product never imports them.
using Wow64DisableWow64FsRedirectionFn = BOOL(WINAPI*)(PVOID* OldValue);
using Wow64RevertWow64FsRedirectionFn = BOOL(WINAPI*)(PVOID OldValue);

// Configuration manager (cfgmgr32.dll)
CONFIGRET CM_Locate_DevNodeA(PDEVINST pdnDevInst, DEVINSTID_A pDeviceID, ULONG ulFlags);
CONFIGRET CM_Get_DevNode_Status(PULONG pulStatus, PULONG pulProblemNumber, DEVINST dnDevInst,
                                ULONG ulFlags);

// Device-installation services (SetupApi.dll)
BOOL SetupDiGetDeviceInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                    PSP_DEVINSTALL_PARAMS_A DeviceInstallParams);

// Service control manager (advapi32.dll)
SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess);
SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess);
BOOL QueryServiceConfigA(SC_HANDLE hService, LPQUERY_SERVICE_CONFIGA lpServiceConfig,
                         DWORD cbBufSize, LPDWORD pcbBytesNeeded);
BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus);
BOOL CloseServiceHandle(SC_HANDLE hSCObject);

// Files and folders (kernel32.dll)
DWORD GetFileAttributesA(LPCSTR lpFileName);
DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);
// The program's own folder, and what is started from it, in UTF-16: a folder named in
// another script than the ANSI code page's has no ANSI name.
DWORD GetFileAttributesW(LPCWSTR lpFileName);
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);

// Starting the companion and waiting for it (shell32.dll, kernel32.dll, user32.dll)
BOOL ShellExecuteExW(LPSHELLEXECUTEINFOW pExecInfo);
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                DWORD dwMilliseconds, DWORD dwWakeMask);
DWORD MsgWaitForMultipleObjectsEx(DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds,
                                  DWORD dwWakeMask, DWORD dwFlags);
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
BOOL CloseHandle(HANDLE hObject);

}  // namespace plat
