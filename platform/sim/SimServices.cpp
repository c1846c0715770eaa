// The service control manager of the seam, answered from the machine's services.
#include <cstring>

#include "platform/Platform.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimSeamSupport.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

using sim::Machine;
using sim::System;

namespace {

constexpr std::uintptr_t kServiceHandleBase = 0x00D40000;

std::string ServiceArg(System& system, const void* handle) {
    const auto found = system.serviceHandles.find(sim::HandleValue(handle));
    return found != system.serviceHandles.end() ? std::to_string(found->second.serial)
                                                : sim::HandleArg(handle);
}

SC_HANDLE NewHandle(System& system, std::string service, DWORD access) {
    const std::uint32_t serial = ++system.serviceSerial;
    const std::uintptr_t value = kServiceHandleBase + serial * sim::kHandleStep;
    system.serviceHandles[value] = System::ServiceHandle{serial, std::move(service), access};
    return sim::MakeHandle<SC_HANDLE>(value);
}

// The open service a handle names, when the handle carries the access asked for;
// otherwise null, with the last-error code set.
sim::Service* ServiceOf(System& system, SC_HANDLE handle, DWORD access) {
    const auto found = system.serviceHandles.find(sim::HandleValue(handle));
    if (found == system.serviceHandles.end() || found->second.service.empty()) {
        return sim::Fail<sim::Service*>(ERROR_INVALID_HANDLE, nullptr);
    }
    if ((found->second.access & access) != access) {
        return sim::Fail<sim::Service*>(ERROR_ACCESS_DENIED, nullptr);
    }
    sim::Service* service = system.FindService(found->second.service);
    // Deleted while open: Windows answers for a service marked for deletion like this.
    return service != nullptr ? service : sim::Fail<sim::Service*>(ERROR_INVALID_HANDLE, nullptr);
}

// Copies text into the buffer's string area and returns where it went.
LPSTR PlaceText(char*& cursor, const std::string& text) {
    LPSTR placed = cursor;
    std::memcpy(cursor, text.c_str(), text.size() + 1);
    cursor += text.size() + 1;
    return placed;
}

}  // namespace

namespace plat {

SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) {
    Machine& machine = sim::Current();
    if (sim::EnterCall("OpenSCManagerA", [&] {
            return "machine=" + sim::TextArg(lpMachineName) +
                   " database=" + sim::TextArg(lpDatabaseName) +
                   " access=" + sim::HexNumber(dwDesiredAccess);
        })) {
        return nullptr;
    }
    System& system = machine.system();
    if (machine.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        return sim::Fail<SC_HANDLE>(ERROR_CALL_NOT_IMPLEMENTED, nullptr);
    }
    if (!system.serviceManager || (lpMachineName != nullptr && lpMachineName[0] != '\0')) {
        return sim::Fail<SC_HANDLE>(RPC_S_SERVER_UNAVAILABLE, nullptr);
    }
    return NewHandle(system, {}, dwDesiredAccess);
}

SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) {
    System& system = sim::Current().system();
    if (sim::EnterCall("OpenServiceA", [&] {
            return "scm=" + ServiceArg(system, hSCManager) +
                   " name=" + sim::TextArg(lpServiceName) +
                   " access=" + sim::HexNumber(dwDesiredAccess);
        })) {
        return nullptr;
    }
    const auto manager = system.serviceHandles.find(sim::HandleValue(hSCManager));
    if (manager == system.serviceHandles.end() || !manager->second.service.empty()) {
        return sim::Fail<SC_HANDLE>(ERROR_INVALID_HANDLE, nullptr);
    }
    if (lpServiceName == nullptr || lpServiceName[0] == '\0') {
        return sim::Fail<SC_HANDLE>(ERROR_INVALID_NAME, nullptr);
    }
    const sim::Service* service = system.FindService(lpServiceName);
    if (service == nullptr) {
        return sim::Fail<SC_HANDLE>(ERROR_SERVICE_DOES_NOT_EXIST, nullptr);
    }
    if ((service->deniedAccess & dwDesiredAccess) != 0) {
        return sim::Fail<SC_HANDLE>(ERROR_ACCESS_DENIED, nullptr);
    }
    return NewHandle(system, service->name, dwDesiredAccess);
}

BOOL QueryServiceConfigA(SC_HANDLE hService, LPQUERY_SERVICE_CONFIGA lpServiceConfig,
                         DWORD cbBufSize, LPDWORD pcbBytesNeeded) {
    System& system = sim::Current().system();
    if (sim::EnterCall("QueryServiceConfigA", [&] {
            return "service=" + ServiceArg(system, hService) + " size=" + std::to_string(cbBufSize);
        })) {
        return FALSE;
    }
    const sim::Service* service = ServiceOf(system, hService, SERVICE_QUERY_CONFIG);
    if (service == nullptr) {
        return FALSE;
    }
    if (pcbBytesNeeded == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    // The record, then its strings: image path, load-order group, the dependencies'
    // empty multi-string, start name and display name.
    const std::string& image = service->imagePath;
    const DWORD needed = static_cast<DWORD>(sizeof(QUERY_SERVICE_CONFIGA) + image.size() + 1 + 1 +
                                            2 + 1 + service->name.size() + 1);
    if (lpServiceConfig == nullptr || cbBufSize < needed) {
        *pcbBytesNeeded = needed;
        return sim::Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    QUERY_SERVICE_CONFIGA& config = *lpServiceConfig;
    config.dwServiceType = service->type;
    config.dwStartType = service->startType;
    config.dwErrorControl = SERVICE_ERROR_NORMAL;
    config.dwTagId = 0;
    char* cursor = reinterpret_cast<char*>(lpServiceConfig + 1);
    config.lpBinaryPathName = PlaceText(cursor, image);
    config.lpLoadOrderGroup = PlaceText(cursor, "");
    config.lpDependencies = PlaceText(cursor, std::string(1, '\0'));
    config.lpServiceStartName = PlaceText(cursor, "");
    config.lpDisplayName = PlaceText(cursor, service->name);
    return TRUE;
}

BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) {
    System& system = sim::Current().system();
    if (sim::EnterCall("QueryServiceStatus",
                       [&] { return "service=" + ServiceArg(system, hService); })) {
        return FALSE;
    }
    const sim::Service* service = ServiceOf(system, hService, SERVICE_QUERY_STATUS);
    if (service == nullptr) {
        return FALSE;
    }
    if (lpServiceStatus == nullptr) {
        return sim::Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    *lpServiceStatus = SERVICE_STATUS{};
    lpServiceStatus->dwServiceType = service->type;
    lpServiceStatus->dwCurrentState = service->currentState;
    return TRUE;
}

BOOL CloseServiceHandle(SC_HANDLE hSCObject) {
    System& system = sim::Current().system();
    if (sim::EnterCall("CloseServiceHandle",
                       [&] { return "handle=" + ServiceArg(system, hSCObject); })) {
        return FALSE;
    }
    return system.serviceHandles.erase(sim::HandleValue(hSCObject)) != 0
               ? TRUE
               : sim::Fail(ERROR_INVALID_HANDLE, FALSE);
}

}  // namespace plat
