// The real platform's device-state, service and file calls: each forwards to the
// Win32 function of the same name with its arguments unchanged.
#include "platform/Platform.h"

namespace plat {

CONFIGRET CM_Locate_DevNodeA(PDEVINST pdnDevInst, DEVINSTID_A pDeviceID, ULONG ulFlags) {
    return ::CM_Locate_DevNodeA(pdnDevInst, pDeviceID, ulFlags);
}
CONFIGRET CM_Get_DevNode_Status(PULONG pulStatus, PULONG pulProblemNumber, DEVINST dnDevInst,
                                ULONG ulFlags) {
    return ::CM_Get_DevNode_Status(pulStatus, pulProblemNumber, dnDevInst, ulFlags);
}

BOOL SetupDiGetDeviceInstallParamsA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                    PSP_DEVINSTALL_PARAMS_A DeviceInstallParams) {
    return ::SetupDiGetDeviceInstallParamsA(DeviceInfoSet, DeviceInfoData, DeviceInstallParams);
}

SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) {
    return ::OpenSCManagerA(lpMachineName, lpDatabaseName, dwDesiredAccess);
}
SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) {
    return ::OpenServiceA(hSCManager, lpServiceName, dwDesiredAccess);
}
BOOL QueryServiceConfigA(SC_HANDLE hService, LPQUERY_SERVICE_CONFIGA lpServiceConfig,
                         DWORD cbBufSize, LPDWORD pcbBytesNeeded) {
    return ::QueryServiceConfigA(hService, lpServiceConfig, cbBufSize, pcbBytesNeeded);
}
BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) {
    return ::QueryServiceStatus(hService, lpServiceStatus);
}
BOOL CloseServiceHandle(SC_HANDLE hSCObject) {
    return ::CloseServiceHandle(hSCObject);
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    return ::GetFileAttributesA(lpFileName);
}
DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    return ::GetFileAttributesW(lpFileName);
}
DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    return ::ExpandEnvironmentStringsA(lpSrc, lpDst, nSize);
}

}  // namespace plat
