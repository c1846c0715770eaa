// The filter driver's service as the service control manager knows it: installed or
// not, the driver file its image path names and whether that file is there, and
// whether the service runs. A filter service that is missing, or whose file is, makes
// every device that lists the filter fail to start.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace restart {

struct DriverServiceState {
    // The service manager said whether the service exists. Only "no such service"
    // (ERROR_SERVICE_DOES_NOT_EXIST) means it is not installed; any other failure
    // (access denied, a manager that cannot be reached) leaves its state unknown.
    bool known = false;
    bool asked = false;      // the NT family, where the filter needs its service
    DWORD error = 0;         // the failure that left the state unknown
    bool installed = false;  // the service exists
    std::string imageFile;   // the driver file's full path; empty when it could not be read
    bool fileFound = false;  // the file is there (looked for only when imageFile is known)
    bool running = false;
    // The service's configuration was read: its type and start type below are real.
    bool configRead = false;
    DWORD serviceType = 0;  // SERVICE_KERNEL_DRIVER for a driver that can be a filter
    DWORD startType = 0;    // SERVICE_DISABLED keeps it from ever loading

    // Known to be unable to load: not installed, or its driver file is missing.
    bool Missing() const;
    // Installed but not usable as a filter: disabled (every device listing it fails
    // with code 32), or not a kernel driver.
    bool Disabled() const;
    bool NotKernelDriver() const;
    bool Unusable() const { return Disabled() || NotKernelDriver(); }
    // Known to be unable to load, for either reason above.
    bool CannotLoad() const { return Missing() || Unusable(); }
    // Asked about, but whether it can load is not known: a device given the filter
    // might not start, and none can be called safe to plug in.
    bool Unknown() const { return asked && !known; }
};

// Why the service cannot serve as the filter, in a few words ("it is not installed",
// "its service is disabled", ...), or empty when nothing is known to be wrong.
std::string UsabilityProblem(const DriverServiceState& driver);

// Asks the service manager about the service (OpenSCManagerA, OpenServiceA,
// QueryServiceConfigA, QueryServiceStatus) and looks for its file with the WOW64
// redirection off, so that a 32-bit process looks in the 64-bit system folder.
DriverServiceState ReadDriverService(const std::string& serviceName);

// The filter's service ("quorvin") on the NT family; on the 9x family, which loads
// filters without a service manager, nothing is asked (neither known nor asked).
DriverServiceState ReadFilterService();

// The full path of a kernel driver's image path as the service's registry entry holds
// it: "\SystemRoot\..." and paths relative to the Windows folder are taken from
// %SystemRoot%, "\??\C:\..." loses its prefix, environment strings are expanded; an
// empty one is the default System32\drivers\<service>.sys. Empty when it cannot be
// expanded.
std::string DriverImageFile(const std::string& imagePath, const std::string& serviceName);

}  // namespace restart
